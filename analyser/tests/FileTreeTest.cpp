// The file tree section: what is listed, in which order, and how links, pipes, unreadable
// folders and names that are not UTF-8 are handled.

#include "CFileInfo.h"
#include "clsADOHelper.h"
#include "DatabaseVersion.h"
#include "FileTreeSection.h"
#include "QStringPrinter.h"
#include "ReportFile.h"
#include "TestInstallation.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using analyser::testing::TestInstallation;
using analyser::testing::treeLine;

class FileTreeTest : public ::testing::Test
{
protected:
    // The section's lines for the installation's program folder.
    QStringList walk(analyser::FolderReader reader = analyser::readFolder)
    {
        const QString reportPath = m_reportFolder.filePath(QStringLiteral("tree.txt"));
        {
            analyser::ReportFile report;
            EXPECT_TRUE(report.open(reportPath));
            const clsADOHelper helper;
            analyser::FileTreeSection section(report, helper, std::move(reader));
            EXPECT_TRUE(section.write(QFile::encodeName(m_install.folder()) + '/'));
            EXPECT_TRUE(report.close());
        }
        QFile file(reportPath);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        lines.removeLast();
        QFile::remove(reportPath);
        return lines;
    }

    static int indexOf(const QStringList& lines, const QString& relativeUpper)
    {
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].startsWith(relativeUpper + QLatin1Char(';')))
                return i;
        }
        return -1;
    }

    void TearDown() override
    {
        for (const QByteArray& name : m_nativeFiles)
            unlink(name.constData());
    }

    TestInstallation m_install;
    QTemporaryDir m_reportFolder;
    // Files whose names are not UTF-8: Qt cannot remove them.
    QList<QByteArray> m_nativeFiles;
};

TEST_F(FileTreeTest, FilesOfAFolderComeBeforeItsSubFolders)
{
    m_install.addFile(QStringLiteral("a.txt"), "a");
    m_install.addFile(QStringLiteral("Sub/Deeper/c.txt"), "c");
    m_install.addFile(QStringLiteral("Sub/b.txt"), "b");
    m_install.addFile(QStringLiteral("z.txt"), "z");
    const QStringList lines = walk();
    ASSERT_EQ(lines.size(), 4) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_LT(indexOf(lines, QStringLiteral("Z.TXT")), indexOf(lines, QStringLiteral("SUB/B.TXT")));
    EXPECT_LT(indexOf(lines, QStringLiteral("A.TXT")), indexOf(lines, QStringLiteral("SUB/B.TXT")));
    EXPECT_LT(indexOf(lines, QStringLiteral("SUB/B.TXT")),
              indexOf(lines, QStringLiteral("SUB/DEEPER/C.TXT")));
}

TEST_F(FileTreeTest, HiddenEntriesPipesAndFolderLinksAreNotWalked)
{
    m_install.addFile(QStringLiteral(".hidden"), "h");
    m_install.addFile(QStringLiteral(".git/config"), "g");
    m_install.addFile(QStringLiteral("Data/wine.txt"), "w");
    const QByteArray root = QFile::encodeName(m_install.folder());
    ASSERT_EQ(mkfifo((root + "/pipe").constData(), 0644), 0); // opening it would never return
    ASSERT_EQ(symlink(root.constData(), (root + "/Data/loop").constData()), 0);
    ASSERT_EQ(symlink((root + "/Data/wine.txt").constData(), (root + "/wine link.txt").constData()),
              0);
    ASSERT_EQ(symlink((root + "/nowhere").constData(), (root + "/dangling").constData()), 0);

    const QStringList lines = walk();
    EXPECT_EQ(indexOf(lines, QStringLiteral(".HIDDEN")), -1);
    EXPECT_EQ(indexOf(lines, QStringLiteral(".GIT/CONFIG")), -1);
    EXPECT_EQ(indexOf(lines, QStringLiteral("PIPE")), -1);
    EXPECT_EQ(lines.filter(QStringLiteral("DATA/WINE.TXT;")).size(),
              1); // once, not again via the loop
    EXPECT_EQ(treeLine(lines, QStringLiteral("DATA/LOOP")),
              QStringLiteral("DATA/LOOP;") + analyser::kLinkNotFollowed);
    // A link to a file is described by the file it leads to.
    EXPECT_TRUE(treeLine(lines, QStringLiteral("WINE LINK.TXT"))
                    .startsWith(QStringLiteral("WINE LINK.TXT;1 bytes;")));
    EXPECT_NE(indexOf(lines, QStringLiteral("DANGLING")), -1);
}

TEST_F(FileTreeTest, AFolderThatCannotBeReadIsReportedAndTheWalkGoesOn)
{
    m_install.addFile(QStringLiteral("Locked/secret.txt"), "s");
    m_install.addFile(QStringLiteral("Open/seen.txt"), "s");
    m_install.addFile(QStringLiteral("top.txt"), "t");
    // Tests run as root, who may read any folder: the failure is injected into the listing.
    const auto reader = [](const QByteArray& folder) {
        if (folder.endsWith("/Locked/"))
            return analyser::FolderListing{{}, QStringLiteral("Permission denied")};
        return analyser::readFolder(folder);
    };
    const QStringList lines = walk(reader);
    EXPECT_EQ(treeLine(lines, QStringLiteral("LOCKED/")),
              QStringLiteral("LOCKED/;Cannot read folder: Permission denied"));
    EXPECT_EQ(indexOf(lines, QStringLiteral("LOCKED/SECRET.TXT")), -1);
    EXPECT_NE(indexOf(lines, QStringLiteral("OPEN/SEEN.TXT")), -1);
    EXPECT_NE(indexOf(lines, QStringLiteral("TOP.TXT")), -1);
}

TEST_F(FileTreeTest, NamesThatAreNotUtf8)
{
    const QByteArray path =
        QFile::encodeName(m_install.folder()) + "/caf\xE9 \xC3\xA9t\xC3\xA9.txt";
    const int fd = open(path.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    m_nativeFiles << path;
    ASSERT_EQ(write(fd, "12345", 5), 5);
    close(fd);
    const QStringList lines = walk();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("CAF\\xE9 \u00C9T\u00C9.TXT;5 bytes;")))
        << lines[0].toStdString();
}

TEST_F(FileTreeTest, NamesCannotForgeReportLines)
{
    const QByteArray folder = QFile::encodeName(m_install.folder());
    // A name with a line break, another with the Unicode line separator, one with a tab and a
    // backslash that would read like an escape.
    const QByteArray names[] = {"evil\r\nFORGED.QVD;1 bytes;x;y;1;9", "sep\xE2\x80\xA8NEXT",
                                "tab\there \\x41"};
    for (const QByteArray& name : names) {
        const QByteArray path = folder + '/' + name;
        const int fd = open(path.constData(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        m_nativeFiles << path;
        close(fd);
    }
    const QStringList lines = walk();
    ASSERT_EQ(lines.size(), 3) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_NE(indexOf(lines, QStringLiteral("EVIL\\x0D\\x0AFORGED.QVD")), -1);
    EXPECT_NE(indexOf(lines, QStringLiteral("SEP\\xE2\\x80\\xA8NEXT")), -1);
    EXPECT_NE(indexOf(lines, QStringLiteral("TAB\\x09HERE \\x5CX41")), -1);
    for (const QString& line : lines)
        EXPECT_FALSE(line.startsWith(QStringLiteral("FORGED"))) << line.toStdString();
}

TEST_F(FileTreeTest, ALineOfAFileLargerThanTwoGigabytes)
{
    QFile file(m_install.path(QStringLiteral("cellar.bak")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(3LL * 1024 * 1024 * 1024));
    file.close();
    CFileInfo info;
    info.setFullPathName(file.fileName());
    const QStringList lines = walk();
    EXPECT_EQ(treeLine(lines, QStringLiteral("CELLAR.BAK")),
              QStringLiteral("CELLAR.BAK;3.00GB (3,221,225,472 bytes);") +
                  CFileInfo::FormatFileDate(info.CreationTime()) + QLatin1Char(';') +
                  CFileInfo::FormatFileDate(info.ModifyTime()) + QStringLiteral(";1"));
}

TEST(DatabaseFileTest, OnlyTheSuitesDatabasesAreOpened)
{
    for (const char* name : {"/I/CSAMPLE.QVD", "/I/ENGLISH.LAN", "/I/X.ENC", "/I/SETTINGS.DAT",
                             "/I/WEBLINKS.DAT", "/I/TEMPLATE.TDB", "/I/MYSETTINGS.DAT"})
        EXPECT_TRUE(analyser::isDatabaseFile(QLatin1String(name))) << name;
    for (const char* name :
         {"/I/PRINTLABELS.DAT", "/I/RATES.DAT", "/I/OTHER.TDB", "/I/QVD", "/I/A.QVD.BAK"})
        EXPECT_FALSE(analyser::isDatabaseFile(QLatin1String(name))) << name;
}

TEST(DatabaseVersionTest, VersionOrTheStepThatFailed)
{
    TestInstallation install;
    install.addDatabase(QStringLiteral("csample.qvd"), 11);
    install.addDatabase(QStringLiteral("empty.qvd"), -1);
    install.addDatabase(QStringLiteral("notable.qvd"), 0, false);
    install.addFile(QStringLiteral("broken.qvd"), QByteArray(4096, 'x'));
    const clsADOHelper helper;
    EXPECT_EQ(analyser::databaseVersionText(install.path(QStringLiteral("csample.qvd")), helper),
              QStringLiteral("11"));
    EXPECT_EQ(analyser::databaseVersionText(install.path(QStringLiteral("empty.qvd")), helper),
              analyser::kCannotOpenVersionTable);
    EXPECT_EQ(analyser::databaseVersionText(install.path(QStringLiteral("notable.qvd")), helper),
              analyser::kCannotOpenVersionTable);
    EXPECT_EQ(analyser::databaseVersionText(install.path(QStringLiteral("broken.qvd")), helper),
              analyser::kCannotOpenDatabase);
    EXPECT_EQ(analyser::databaseVersionText(install.path(QStringLiteral("missing.qvd")), helper),
              analyser::kCannotOpenDatabase);

    const clsADOHelper withoutEngine(QStringLiteral("Microsoft.ACE.OLEDB.12.0"));
    EXPECT_THROW(
        analyser::databaseVersionText(install.path(QStringLiteral("csample.qvd")), withoutEngine),
        DatabaseEngineMissing);
}

TEST(ClsADOHelperTest, ConnectionStringOfTheSuitesPrograms)
{
    const clsADOHelper helper;
    EXPECT_EQ(helper.connectionString(QStringLiteral("/my cellar/csample.qvd")),
              QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/my cellar/csample.qvd;"
                             "Persist Security Info=False;Jet OLEDB:Database Password=vutmarelko"));
    // A ";" in a Linux file name cannot end the path early.
    EXPECT_TRUE(helper.connectionString(QStringLiteral("/a;b.qvd"))
                    .contains(QStringLiteral("Data Source=\"/a;b.qvd\"")));
}

TEST(ClsADOHelperTest, OpeningClearsReadOnlyAndSetsTheBufferSize)
{
    TestInstallation install;
    install.addDatabase(QStringLiteral("settings.dat"), 18);
    const QByteArray path = QFile::encodeName(install.path(QStringLiteral("settings.dat")));
    ASSERT_EQ(chmod(path.constData(), 0444), 0);
    jet::Connection cnn;
    clsADOHelper().OpenDatabase(cnn, install.path(QStringLiteral("settings.dat")), true);
    EXPECT_TRUE(cnn.isOpen());
    EXPECT_EQ(cnn.property(jet::Connection::maxBufferSizeProperty).toLong(),
              clsADOHelper::kMaxBufferSize);
    struct stat facts = {};
    ASSERT_EQ(stat(path.constData(), &facts), 0);
    EXPECT_NE(facts.st_mode & S_IWUSR, 0u);

    auto owned = std::make_unique<jet::Connection>();
    clsADOHelper().OpenDatabase(*owned, install.path(QStringLiteral("nothing.qvd")), false);
    EXPECT_FALSE(owned->isOpen());
    EXPECT_FALSE(owned->errors().isEmpty());
    clsADOHelper::CloseADOObject(owned); // closing what never opened raises nothing
    EXPECT_EQ(owned, nullptr);
    jet::Connection other;
    EXPECT_THROW(
        clsADOHelper().OpenDatabase(other, install.path(QStringLiteral("nothing.qvd")), true),
        vb::Error);
}

TEST(ClsADOHelperTest, OpenRecordsetOnATableWithItsIndex)
{
    TestInstallation install;
    install.addDatabase(QStringLiteral("csample.qvd"), 11);
    jet::Connection cnn;
    const clsADOHelper helper;
    helper.OpenDatabase(cnn, install.path(QStringLiteral("csample.qvd")), true);
    cnn.execute(QStringLiteral(
        "CREATE TABLE tblWines (WineID LONG CONSTRAINT PrimaryKey PRIMARY KEY, Name TEXT(50))"));
    cnn.execute(QStringLiteral("INSERT INTO tblWines VALUES (2, 'Barolo')"));
    cnn.execute(QStringLiteral("INSERT INTO tblWines VALUES (1, 'Amarone')"));
    jet::Recordset rs;
    helper.OpenRecordset(rs, cnn, QStringLiteral("tblWines"), false, QStringLiteral("PrimaryKey"));
    EXPECT_EQ(rs.index(), QStringLiteral("PrimaryKey"));
    EXPECT_EQ(rs.value(QStringLiteral("Name")).toString(), QStringLiteral("Amarone"));
    rs.setValue(QStringLiteral("Name"), vb::Variant("Amarone Classico")); // writable
    rs.update();
    rs.close();
    helper.OpenRecordset(rs, cnn, QStringLiteral("tblWines"), true, QString());
    EXPECT_EQ(rs.value(QStringLiteral("WineID")).toLong(), 2); // table order without an index
    EXPECT_THROW(rs.setValue(QStringLiteral("Name"), vb::Variant("x")), vb::Error);
}

} // namespace
