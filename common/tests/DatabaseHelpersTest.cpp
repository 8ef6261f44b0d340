// The connection helpers, the close-and-release helper, the version table and the user's
// unique number, on real database files in a temporary folder.

#include "common/CloseObject.h"
#include "common/DatabaseConnection.h"
#include "common/DatabaseConnections.h"
#include "common/DatabaseVersion.h"
#include "common/Registry_Management.h"
#include "common/UniqueID.h"
#include "platform/jet/Connection.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/jet/Error.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {

using namespace DatabaseHelpers;

// A database with the version table, in a folder whose name has spaces.
class VersionedDatabase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("My Cellar/c sample.qvd"));
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("My Cellar"))));
        create(m_path, 7);
    }

    static void create(const QString& path, int version)
    {
        jet::createDatabase(path, DatabasePassword);
        jet::Connection setup;
        OpenDatabase(setup, path, true);
        setup.execute(QStringLiteral("CREATE TABLE tblDBVer (Version SHORT)"));
        setup.execute(QStringLiteral("INSERT INTO tblDBVer (Version) VALUES (%1)").arg(version));
    }

    static std::int16_t versionOf(const QString& path)
    {
        jet::Connection reader;
        OpenDatabase(reader, path, true);
        return ReadDBVersion(reader);
    }

    QTemporaryDir m_dir;
    QString m_path;
};

TEST(ConnectionString, PathGoesAfterDataSourceUnchanged)
{
    EXPECT_EQ(UpdaterConnectionString(QStringLiteral("/home/ann/My Cellar/c sample.qvd")),
              "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/home/ann/My Cellar/c sample.qvd;"
              "Jet OLEDB:Database Password=vutmarelko");
    EXPECT_EQ(ProgramConnectionString(QStringLiteral("/data/settings.dat")),
              "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/settings.dat;"
              "Persist Security Info=False;Jet OLEDB:Database Password=vutmarelko");
}

TEST_F(VersionedDatabase, OpensPathsWithSpacesAndSemicolons)
{
    EXPECT_EQ(versionOf(m_path), 7);

    // A ";" in a folder name must not cut the path short and open some other file.
    const QString odd = m_dir.filePath(QStringLiteral("a;b/\"x\" cellar.qvd"));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("a;b"))));
    create(odd, 9);
    EXPECT_EQ(versionOf(odd), 9);
}

TEST_F(VersionedDatabase, OpenWithErrorsSuppressedLeavesThemInTheCollection)
{
    const QString missing = m_dir.filePath(QStringLiteral("none.qvd"));
    jet::Connection quiet;
    EXPECT_NO_THROW(OpenDatabase(quiet, missing, false));
    EXPECT_FALSE(quiet.isOpen());
    ASSERT_EQ(quiet.errors().count(), 1);
    EXPECT_TRUE(quiet.errors().item(0).description.contains(QStringLiteral("none.qvd")));

    jet::Connection loud;
    EXPECT_THROW(OpenDatabase(loud, missing, true), jet::Error);
}

TEST_F(VersionedDatabase, SetDBVersionWritesOnlyTheRunsDatabaseOfThatKind)
{
    DatabaseConnections run;
    run.slot(DatabaseKind::Main) = std::make_unique<jet::Connection>();
    OpenDatabase(*run.slot(DatabaseKind::Main), m_path, true);

    SetDBVersion(5, 99); // no such kind: nothing happens
    SetDBVersion(0, 99);
    EXPECT_EQ(ReadDBVersion(*run.connection(DatabaseKind::Main)), 7);

    SetDBVersion(1, 11);
    EXPECT_EQ(ReadDBVersion(*run.connection(DatabaseKind::Main)), 11);

    // The settings database was never opened in this run.
    EXPECT_THROW(SetDBVersion(2, 18), vb::Error);
}

TEST_F(VersionedDatabase, VersionTableWithoutItsRowIsAnError)
{
    DatabaseConnections run;
    run.slot(DatabaseKind::Weblinks) = std::make_unique<jet::Connection>();
    jet::Connection& weblinks = *run.slot(DatabaseKind::Weblinks);
    OpenDatabase(weblinks, m_path, true);
    weblinks.execute(QStringLiteral("DELETE FROM tblDBVer"));

    try {
        SetDBVersion(4, 4);
        FAIL() << "a version written nowhere was reported as written";
    } catch (const vb::Error& error) {
        EXPECT_TRUE(error.description().contains(QStringLiteral("holds no row")));
        EXPECT_TRUE(error.description().contains(m_path));
    }
    EXPECT_THROW(ReadDBVersion(weblinks), vb::Error);
}

TEST_F(VersionedDatabase, CloseObjectClosesAndReleasesAndNeverRaises)
{
    auto connection = std::make_unique<jet::Connection>();
    OpenDatabase(*connection, m_path, true);
    CloseObject(connection);
    EXPECT_EQ(connection, nullptr);
    CloseObject(connection); // not set: nothing to do

    struct Stubborn
    {
        bool* closed;
        void close()
        {
            *closed = true;
            throw vb::Error(91);
        }
    };
    bool closed = false;
    std::optional<Stubborn> stubborn = Stubborn{&closed};
    EXPECT_NO_THROW(CloseObject(stubborn));
    EXPECT_TRUE(closed);
    EXPECT_FALSE(stubborn.has_value());
}

TEST(UniqueIDTest, ReadsTheRegistryNumberAndRefusesText)
{
    const auto save = [](const QString& text) {
        return Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER,
                                                       QStringLiteral("Application"),
                                                       QStringLiteral("UniqueID"), text);
    };
    ASSERT_EQ(save(QStringLiteral("123456789")), 0);
    EXPECT_EQ(UniqueID(), 123456789);
    ASSERT_EQ(save(QStringLiteral("-42")), 0);
    EXPECT_EQ(UniqueID(), -42);

    ASSERT_EQ(save(QStringLiteral("12abc")), 0);
    try {
        UniqueID();
        FAIL() << "a unique number that is not a number was accepted";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), 13);
        EXPECT_TRUE(error.description().contains(QStringLiteral("\"12abc\"")));
    }
    ASSERT_EQ(save(QStringLiteral("99999999999")), 0); // beyond 32 bits
    EXPECT_THROW(UniqueID(), vb::Error);
}

} // namespace
