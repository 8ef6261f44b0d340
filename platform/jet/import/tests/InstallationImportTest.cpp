// Importing a Windows installation folder in place: Jet files are replaced by verified
// databases of ours and kept aside, ours are left alone, anything else is reported; and the
// qvimport command line around it.

#include "platform/jet/import/InstallationImport.h"

#include "MdbTools.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/jet/import/JetFileHeader.h"
#include "platform/jet/import/qvimport/ImportCommand.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace jet::importer::test {
namespace {

class Installation : public testing::Test
{
protected:
    void SetUp() override
    {
        if (accessDataDir().isEmpty()) {
            GTEST_SKIP() << "no shared/testdata/access beside the source tree";
        }
    }
    QString place(const QString& testFile, const QString& name)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(QFile::copy(accessFile(testFile), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList entries() const { return QDir(m_dir.path()).entryList(QDir::Files, QDir::Name); }
    QTemporaryDir m_dir;
};

TEST_F(Installation, JetFilesAreReplacedAndKeptAsideOursAndOthersAreLeftAlone)
{
    place(u"nwind.mdb"_s, u"csample.qvd"_s);
    place(u"db-enc.mdb"_s, u"settings.dat"_s);
    place(u"db97-enc.mdb"_s, u"english.lan"_s);
    createDatabase(path(u"weblinks.dat"_s), u"x"_s);
    QFile other(path(u"Auctions.dat"_s));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("not a database");
    other.close();

    const InstallationImport result = importInstallation(m_dir.path());
    EXPECT_FALSE(result.succeeded()); // Auctions.dat is neither
    ASSERT_EQ(result.files.size(), 5);
    EXPECT_EQ(result.files[0].path, path(u"csample.qvd"_s)); // main wine databases first
    for (const QString& name : {u"csample.qvd"_s, u"settings.dat"_s, u"english.lan"_s}) {
        EXPECT_EQ(databaseFileKind(path(name)), DatabaseFileKind::Ours) << name.toStdString();
        EXPECT_TRUE(isJetFile(path(name + u".jet"_s))) << name.toStdString();
    }
    EXPECT_EQ(databaseFileKind(path(u"weblinks.dat"_s)), DatabaseFileKind::Ours);
    EXPECT_FALSE(QFile::exists(path(u"weblinks.dat.jet"_s)));
    EXPECT_EQ(databaseFileKind(path(u"Auctions.dat"_s)), DatabaseFileKind::Unknown);
    for (const QString& entry : entries()) {
        EXPECT_FALSE(entry.contains(u".importing"_s)) << entry.toStdString();
    }
    const QString text = result.toText();
    EXPECT_TRUE(text.contains(u"csample.qvd: imported; the Access original is kept as "
                              u"csample.qvd.jet"_s))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"weblinks.dat: already in the current format"_s));
    EXPECT_TRUE(text.contains(u"Auctions.dat: NOT imported"_s));
    EXPECT_TRUE(text.contains(u"Order Details"_s));
}

TEST_F(Installation, ASecondRunKeepsTheFirstOriginalAndLeavesOursAlone)
{
    place(u"nwind.mdb"_s, u"csample.qvd"_s);
    ASSERT_TRUE(importInstallation(m_dir.path()).succeeded());
    // The user puts the Access file back and imports again: the first original stays.
    ASSERT_TRUE(QFile::remove(path(u"csample.qvd"_s)));
    place(u"nwind.mdb"_s, u"csample.qvd"_s);
    const InstallationImport again = importInstallation(m_dir.path());
    ASSERT_TRUE(again.succeeded());
    EXPECT_EQ(again.files[0].keptAs, path(u"csample.qvd.jet.2"_s));
    EXPECT_TRUE(isJetFile(path(u"csample.qvd.jet"_s)));
    const InstallationImport third = importInstallation(m_dir.path());
    EXPECT_EQ(third.files[0].outcome, InstalledFile::Outcome::AlreadyCurrent);
}

TEST_F(Installation, AFailedImportLeavesTheFileAsItWas)
{
    const QString settings = place(u"password.mdb"_s, u"settings.dat"_s);
    const InstallationImport result = importInstallation(m_dir.path());
    EXPECT_FALSE(result.succeeded());
    EXPECT_TRUE(isJetFile(settings));
    EXPECT_EQ(entries(), QStringList{u"settings.dat"_s});
}

TEST_F(Installation, CommandLine)
{
    place(u"GabrielLogue_Northwind.mdb"_s, u"cellar.qvd"_s);
    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    const QString report = path(u"report.txt"_s);
    EXPECT_EQ(runImportCommand({u"qvimport"_s, u"--report"_s, report, u"--install"_s, m_dir.path()},
                               out, err),
              0);
    EXPECT_TRUE(outText.contains(u"cellar.qvd: imported"_s)) << outText.toStdString();
    QFile written(report);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), outText);

    EXPECT_EQ(runImportCommand({u"qvimport"_s, accessFile(u"password.mdb"_s), path(u"p.qvd"_s)},
                               out, err),
              1);
    err.flush();
    EXPECT_TRUE(errText.contains(u"password.mdb"_s));
    EXPECT_EQ(runImportCommand({u"qvimport"_s, u"--password"_s, u"ucanaccess"_s,
                                accessFile(u"password.mdb"_s), path(u"p.qvd"_s)},
                               out, err),
              0);
    EXPECT_EQ(runImportCommand({u"qvimport"_s, u"only-one-file"_s}, out, err), 64);
    EXPECT_EQ(runImportCommand({u"qvimport"_s, u"--bogus"_s, u"a"_s, u"b"_s}, out, err), 64);
}

} // namespace
} // namespace jet::importer::test
