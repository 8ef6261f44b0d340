// Telling Jet files from ours and from anything else by their header, and reading the
// database password and page encoding a Jet header holds.

#include "platform/jet/import/JetFileHeader.h"

#include "MdbTools.h"
#include "platform/jet/DatabaseFile.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace jet::importer::test {
namespace {

class JetHeaders : public testing::Test
{
protected:
    void SetUp() override
    {
        if (accessDataDir().isEmpty()) {
            GTEST_SKIP() << "no shared/testdata/access beside the source tree";
        }
    }
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QTemporaryDir m_dir;
};

TEST_F(JetHeaders, KindsOfTheTestFiles)
{
    EXPECT_EQ(databaseFileKind(accessFile(u"nwind.mdb"_s)), DatabaseFileKind::Jet3);
    EXPECT_EQ(databaseFileKind(accessFile(u"db97-enc.mdb"_s)), DatabaseFileKind::Jet3);
    for (const QString& name : {u"GabrielLogue_Northwind.mdb"_s, u"password.mdb"_s, u"db-enc.mdb"_s,
                                u"DateTestDatabase.mdb"_s}) {
        EXPECT_EQ(databaseFileKind(accessFile(name)), DatabaseFileKind::Jet4) << name.toStdString();
        EXPECT_TRUE(isJetFile(accessFile(name)));
    }
}

TEST_F(JetHeaders, PasswordAndEncodingFromTheHeader)
{
    EXPECT_EQ(readJetHeader(accessFile(u"password.mdb"_s))->password, u"ucanaccess"_s);
    EXPECT_EQ(readJetHeader(accessFile(u"nwind.mdb"_s))->password, QString());
    EXPECT_EQ(readJetHeader(accessFile(u"GabrielLogue_Northwind.mdb"_s))->password, QString());
    EXPECT_TRUE(readJetHeader(accessFile(u"db-enc.mdb"_s))->encoded);
    EXPECT_TRUE(readJetHeader(accessFile(u"db97-enc.mdb"_s))->encoded);
    EXPECT_FALSE(readJetHeader(accessFile(u"nwind.mdb"_s))->encoded);
    EXPECT_EQ(readJetHeader(accessFile(u"nwind.mdb"_s))->codePage, 1252);
}

TEST_F(JetHeaders, OursAndOthersAreNotJet)
{
    const QString ours = m_dir.filePath(u"ours.qvd"_s);
    createDatabase(ours, u"secret"_s);
    EXPECT_EQ(databaseFileKind(ours), DatabaseFileKind::Ours);
    EXPECT_FALSE(isJetFile(ours));
    EXPECT_FALSE(readJetHeader(ours));

    EXPECT_EQ(databaseFileKind(writeFile(u"notes.lan"_s, "just some text\n")),
              DatabaseFileKind::Unknown);
    EXPECT_EQ(databaseFileKind(writeFile(u"empty.dat"_s, {})), DatabaseFileKind::Unknown);
    EXPECT_EQ(databaseFileKind(m_dir.filePath(u"missing.qvd"_s)), DatabaseFileKind::Missing);
    EXPECT_EQ(databaseFileKind(m_dir.path()), DatabaseFileKind::Missing);

    QFile jet(accessFile(u"nwind.mdb"_s));
    ASSERT_TRUE(jet.open(QIODevice::ReadOnly));
    // A Jet signature cut short, and one of an unknown version, are not taken for Jet.
    EXPECT_EQ(databaseFileKind(writeFile(u"short.mdb"_s, jet.read(40))), DatabaseFileKind::Unknown);
    QByteArray future = jet.read(4096);
    jet.seek(0);
    future = jet.read(4096);
    future[0x14] = 9;
    EXPECT_EQ(databaseFileKind(writeFile(u"future.mdb"_s, future)), DatabaseFileKind::Unknown);
    QByteArray ace = future;
    ace.replace(4, 16, QByteArray("Standard ACE DB\0", 16));
    EXPECT_EQ(databaseFileKind(writeFile(u"new.accdb"_s, ace)), DatabaseFileKind::Ace);
}

TEST_F(JetHeaders, AdviceNamesTheFileAndTheImport)
{
    const QString advice = jetFileAdvice(u"/home/ann/Quorvex/csample.qvd"_s);
    EXPECT_TRUE(advice.contains(u"/home/ann/Quorvex/csample.qvd"_s));
    EXPECT_TRUE(advice.contains(u"qvimport --install \"/home/ann/Quorvex\""_s));
}

} // namespace
} // namespace jet::importer::test
