// Backups that succeed: the scripted user picks a folder, every data file arrives in a new,
// dated sub-folder and opens there; nothing already backed up is ever written over.

#include "BackupFixture.h"
#include "common/Registry_Management.h"
#include "outside/backup/BackupComponent.h"
#include "platform/jet/Connection.h"
#include "platform/shell/GTestScriptedUser.h"

#include <QDir>
#include <QFile>

namespace backup::test {
namespace {

const QString prompt = QStringLiteral("Select a folder where to backup your data files");

const QStringList allFiles = {"Auctions.dat", "csample.qvd",  "english.lan", "printlabels.dat",
                              "rates.dat",    "settings.dat", "weblinks.dat"};

using Backup = BackupTest;

TEST_F(Backup, TheUsersFolderGetsADatedFolderWithEveryFile)
{
    shell::GTestScriptedUser user;
    user.expectExistingDirectory(chosen());
    BackupComponent component(tools());
    component.setClock(fixedTime);
    QString message;
    ASSERT_EQ(component.backupUserFiles(0, prompt, message), BackupComponent::backupMade)
        << message.toStdString();

    ASSERT_EQ(user.fileDialogs().size(), 1u);
    EXPECT_EQ(user.fileDialogs().front().caption, prompt);
    const QString folder = chosen() + QStringLiteral("/Quorvex Backup 2026-12-08 14.05.09");
    EXPECT_EQ(component.lastBackupFolder(), folder);
    EXPECT_TRUE(message.contains(folder)) << message.toStdString();
    EXPECT_EQ(filesIn(chosen()), QStringList{"Quorvex Backup 2026-12-08 14.05.09"});
    EXPECT_EQ(filesIn(folder), allFiles);
    for (const QString& name : allFiles) {
        if (name == QLatin1String("rates.dat"))
            EXPECT_EQ(bytesOf(folder + "/" + name), bytesOf(inst(name)));
        else
            EXPECT_EQ(contentOf(folder + "/" + name), contentOf(inst(name))) << name.toStdString();
    }
}

TEST_F(Backup, RowsStillInTheLogOfAnOpenDatabaseAreBackedUp)
{
    jet::Connection open;
    open.open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
              inst(QStringLiteral("csample.qvd")) +
              QStringLiteral(";Jet OLEDB:Database Password=vutmarelko"));
    open.execute(QStringLiteral("INSERT INTO tblData VALUES (99, 'only in the log')"));
    ASSERT_GT(QFileInfo(inst(QStringLiteral("csample.qvd-wal"))).size(), 0);

    BackupComponent component(tools());
    component.setTargetFolder(chosen());
    QString message;
    ASSERT_EQ(component.backupUserFiles(0, prompt, message), BackupComponent::backupMade)
        << message.toStdString();
    EXPECT_EQ(contentOf(component.lastBackupFolder() + "/csample.qvd").last(),
              QStringLiteral("99|only in the log"));
}

TEST_F(Backup, ASecondBackupInTheSameSecondGetsAFolderOfItsOwn)
{
    BackupComponent component(tools());
    component.setClock(fixedTime);
    QString message;
    component.setTargetFolder(chosen());
    ASSERT_EQ(component.backupUserFiles(0, prompt, message), BackupComponent::backupMade);
    const QString first = component.lastBackupFolder();
    const QByteArray firstMain = bytesOf(first + "/csample.qvd");

    createDatabase(m_dir.filePath(QStringLiteral("other.qvd")), 11, 40);
    ASSERT_TRUE(QFile::remove(inst(QStringLiteral("csample.qvd"))));
    ASSERT_TRUE(QFile::copy(m_dir.filePath(QStringLiteral("other.qvd")),
                            inst(QStringLiteral("csample.qvd"))));
    component.setTargetFolder(chosen());
    ASSERT_EQ(component.backupUserFiles(0, prompt, message), BackupComponent::backupMade);

    EXPECT_EQ(component.lastBackupFolder(),
              chosen() + QStringLiteral("/Quorvex Backup 2026-12-08 14.05.09 (2)"));
    EXPECT_EQ(bytesOf(first + "/csample.qvd"), firstMain);
    EXPECT_EQ(contentOf(component.lastBackupFolder() + "/csample.qvd").size(), 41);
}

TEST_F(Backup, AGivenFolderIsUsedOnceWithoutADialog)
{
    shell::GTestScriptedUser user;
    BackupComponent component(tools());
    component.setTargetFolder(chosen());
    QString message;
    EXPECT_EQ(component.backupUserFiles(0, prompt, message), BackupComponent::backupMade);
    EXPECT_TRUE(user.fileDialogs().empty());

    user.expectExistingDirectory(QString()); // the next call asks again
    EXPECT_EQ(component.backupUserFiles(0, prompt, message), BackupComponent::userCancelled);
    EXPECT_EQ(user.fileDialogs().size(), 1u);
}

TEST_F(Backup, MissingSatellitesAreSkipped)
{
    ASSERT_TRUE(QFile::remove(inst(QStringLiteral("rates.dat"))));
    ASSERT_TRUE(QFile::remove(inst(QStringLiteral("Auctions.dat"))));
    BackupComponent component(tools());
    component.setTargetFolder(chosen());
    QString message;
    ASSERT_EQ(component.backupUserFiles(0, prompt, message), BackupComponent::backupMade)
        << message.toStdString();
    EXPECT_EQ(filesIn(component.lastBackupFolder()),
              (QStringList{"csample.qvd", "english.lan", "printlabels.dat", "settings.dat",
                           "weblinks.dat"}));
}

TEST_F(Backup, TheRegistryNamesTheMainAndLanguageDatabases)
{
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("Cellars"))));
    const QString cellar = m_dir.filePath(QStringLiteral("Cellars/settings.dat"));
    const QString language = m_dir.filePath(QStringLiteral("Cellars/deutsch.lan"));
    createDatabase(cellar, 11, 7);
    createDatabase(language, 1);
    Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, QStringLiteral("LastDatabase"),
                                            QStringLiteral("FullPath"), cellar);
    Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, QStringLiteral("LanguageDB"),
                                            QStringLiteral("FullPath"), language);
    BackupComponent component(tools());
    component.setTargetFolder(chosen());
    QString message;
    ASSERT_EQ(component.backupUserFiles(0, prompt, message), BackupComponent::backupMade)
        << message.toStdString();
    const QString folder = component.lastBackupFolder();
    // The main database shares its name with the settings database; neither is lost.
    EXPECT_EQ(filesIn(folder),
              (QStringList{"Auctions.dat", "deutsch.lan", "printlabels.dat", "rates.dat",
                           "settings (2).dat", "settings.dat", "weblinks.dat"}));
    EXPECT_EQ(contentOf(folder + "/settings.dat"), contentOf(cellar));
    EXPECT_EQ(contentOf(folder + "/settings (2).dat"), contentOf(inst("settings.dat")));
}

} // namespace
} // namespace backup::test
