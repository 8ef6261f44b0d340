// What tovrak leaves alone: databases in use, missing, damaged or foreign files, and every
// command line it does not understand. Each database problem gets its own line on standard
// error, the exit status is non-zero, and the other databases are still compacted.

#include "common/Registry_Management.h"
#include "platform/jet/Connection.h"
#include "platform/versioninfo/VersionInfo.h"
#include "TestInstallation.h"
#include "TovrakProgram.h"

#include <QFile>
#include <QFileInfo>

namespace outside::test {
namespace {

class Failure : public InstallationTest
{
protected:
    void SetUp() override
    {
        InstallationTest::SetUp();
        execute(databases().at(0), QStringLiteral("DELETE FROM tblData"));
        m_mainSize = QFileInfo(databases().at(0)).size();
    }
    Outcome run(const QStringList& arguments = {}) const
    {
        return runTovrak(QStringList{QStringLiteral("--tools"), tools()} + arguments);
    }
    // The main database was still compacted.
    bool mainCompacted() const { return QFileInfo(databases().at(0)).size() < m_mainSize; }

    qint64 m_mainSize = 0;
};

TEST_F(Failure, DatabasesInUseAreReportedAndLeftAlone)
{
    const QString settings = databases().at(1);
    const QString weblinks = databases().at(3);
    jet::Connection writer;
    writer.open(connectionString(settings));
    writer.beginTrans();
    writer.execute(QStringLiteral("INSERT INTO tblData (ID, Name) VALUES (1000, 'pending')"));
    // Read first: closing any other handle on the file would drop this process's locks on it.
    const QByteArray weblinksBefore = bytesOf(weblinks);
    jet::Connection reader; // open, not reading
    reader.open(connectionString(weblinks));

    const Outcome outcome = run();
    EXPECT_EQ(outcome.exitCode, 1);
    const QStringList errors = outcome.errorLines();
    ASSERT_EQ(errors.size(), 2) << outcome.err.toStdString();
    EXPECT_TRUE(errors.at(0).startsWith(QStringLiteral("tovrak: ") + settings + " is in use"));
    EXPECT_TRUE(errors.at(1).startsWith(QStringLiteral("tovrak: ") + weblinks + " is in use"));
    EXPECT_TRUE(mainCompacted());

    // The holders go on as if nothing had happened.
    writer.commitTrans();
    writer.close();
    EXPECT_EQ(contentOf(settings).last(), QStringLiteral("1000|pending|(null)"));
    EXPECT_EQ(bytesOf(weblinks), weblinksBefore);
}

TEST_F(Failure, MissingDamagedAndForeignFilesAreReportedAndNeverReplaced)
{
    const QString settings = databases().at(1);
    const QString language = databases().at(2);
    const QString weblinks = databases().at(3);
    execute(settings, QStringLiteral("DROP TABLE tblDBVer"));
    execute(language, QStringLiteral("DELETE FROM tblData WHERE ID > 2"));
    damageIndex(language); // a compacted copy of it would pass every check: it must not be made
    ASSERT_TRUE(QFile::remove(weblinks));
    const QByteArray settingsBefore = bytesOf(settings);
    const QByteArray languageBefore = bytesOf(language);
    const QStringList files = filesIn(inst());

    Outcome outcome = run();
    EXPECT_EQ(outcome.exitCode, 1);
    QStringList errors = outcome.errorLines();
    ASSERT_EQ(errors.size(), 3) << outcome.err.toStdString();
    EXPECT_TRUE(errors.at(0).startsWith("tovrak: " + settings +
                                        " is damaged and was not "
                                        "compacted: it has no version "
                                        "table tblDBVer"));
    EXPECT_TRUE(errors.at(1).startsWith("tovrak: " + language + " is damaged"));
    EXPECT_EQ(errors.at(2), "tovrak: " + weblinks + " was not found");
    EXPECT_EQ(bytesOf(settings), settingsBefore);
    EXPECT_EQ(bytesOf(language), languageBefore);
    EXPECT_EQ(filesIn(inst()), files);
    EXPECT_TRUE(mainCompacted());

    ASSERT_TRUE(writeBytes(weblinks, "http://example.org\n"));
    outcome = run();
    EXPECT_TRUE(outcome.errorLines().contains("tovrak: " + weblinks + " is not a database file"));
    EXPECT_EQ(bytesOf(weblinks), "http://example.org\n");
}

TEST_F(Failure, ACommandLineItDoesNotUnderstandTouchesNothing)
{
    const QByteArray before = bytesOf(databases().at(0));
    for (const QStringList& arguments :
         {QStringList{"Restart"}, QStringList{"restart", "restart"}, QStringList{"/x"}}) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.exitCode, 64) << arguments.join(' ').toStdString();
        EXPECT_TRUE(outcome.err.contains(QStringLiteral("Usage: tovrak")));
    }
    const Outcome noFolder = runTovrak({QStringLiteral("--tools")});
    EXPECT_EQ(noFolder.exitCode, 64);
    EXPECT_TRUE(noFolder.err.contains(QStringLiteral("--tools needs a folder")));
    EXPECT_EQ(bytesOf(databases().at(0)), before);
}

TEST_F(Failure, AToolsFolderThatDoesNotExistCompactsNothing)
{
    // Without the folder, the registry's database would be taken for this installation's.
    Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, QStringLiteral("LastDatabase"),
                                            QStringLiteral("FullPath"), databases().at(0));
    const QString missing = inst(QStringLiteral("No Such Tools"));
    const Outcome outcome = runTovrak({QStringLiteral("--tools"), missing});
    EXPECT_EQ(outcome.exitCode, 64);
    EXPECT_TRUE(outcome.err.contains(
        QStringLiteral("--tools: the folder '%1' does not exist").arg(missing)))
        << outcome.err.toStdString();
    EXPECT_FALSE(mainCompacted());
}

TEST(Tovrak, CarriesVersionInformation)
{
    const auto info = verinfo::readFile(qEnvironmentVariable("QV_BIN_DIR") + "/tovrak");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->value(QStringLiteral("FileDescription")), "Database compaction");
    EXPECT_EQ(info->value(QStringLiteral("CompanyName")), "Quillmere");
}

} // namespace
} // namespace outside::test
