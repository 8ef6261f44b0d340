// Backups that succeed: the scripted user picks a folder, every data file arrives in a new,
// dated sub-folder and opens there; nothing already backed up is ever written over.

#include "BackupFixture.h"
#include "common/Registry_Management.h"
#include "platform/shell/GTestScriptedUser.h"

#include <QDir>
#include <QFile>

namespace outside::test {
namespace {

using backup::BackupComponent;
using Backup = BackupTest;

TEST_F(Backup, TheUsersFolderGetsADatedFolderWithEveryFile)
{
    shell::GTestScriptedUser user;
    user.expectExistingDirectory(chosen());
    BackupComponent component(tools());
    component.setClock(fixedTime);
    QString message;
    ASSERT_EQ(component.backupUserFiles(0, backupPrompt, message), BackupComponent::backupMade)
        << message.toStdString();

    ASSERT_EQ(user.fileDialogs().size(), 1u);
    EXPECT_EQ(user.fileDialogs().front().caption, backupPrompt);
    const QString folder = chosen() + QStringLiteral("/Quorvex Backup 2026-12-08 14.05.09");
    EXPECT_EQ(component.lastBackupFolder(), folder);
    EXPECT_TRUE(message.contains(folder)) << message.toStdString();
    const QStringList files = {"Auctions.dat", "csample.qvd",  "english.lan", "printlabels.dat",
                               "rates.dat",    "settings.dat", "weblinks.dat"};
    EXPECT_EQ(filesIn(folder), files);
    for (const QString& name : files) {
        if (name == QLatin1String("rates.dat"))
            EXPECT_EQ(bytesOf(folder + "/" + name), bytesOf(inst(name)));
        else
            EXPECT_EQ(contentOf(folder + "/" + name), contentOf(inst(name))) << name.toStdString();
    }

    // A folder given beforehand is used once, without a dialog; the next call asks again.
    QString second;
    EXPECT_EQ(backUpInto(component, chosen(), second), BackupComponent::backupMade);
    EXPECT_EQ(user.fileDialogs().size(), 1u);
    user.expectExistingDirectory(QString());
    EXPECT_EQ(component.backupUserFiles(0, backupPrompt, second), BackupComponent::userCancelled);
}

TEST_F(Backup, ASecondBackupInTheSameSecondGetsAFolderOfItsOwn)
{
    BackupComponent component(tools());
    component.setClock(fixedTime);
    QString message;
    ASSERT_EQ(backUpInto(component, chosen(), message), BackupComponent::backupMade);
    const QString first = component.lastBackupFolder();
    const QByteArray firstMain = bytesOf(first + "/csample.qvd");

    execute(databases().at(0), QStringLiteral("DELETE FROM tblData"));
    ASSERT_EQ(backUpInto(component, chosen(), message), BackupComponent::backupMade);
    EXPECT_EQ(component.lastBackupFolder(),
              chosen() + QStringLiteral("/Quorvex Backup 2026-12-08 14.05.09 (2)"));
    EXPECT_EQ(bytesOf(first + "/csample.qvd"), firstMain);
    EXPECT_EQ(contentOf(component.lastBackupFolder() + "/csample.qvd").size(), 1);
}

TEST_F(Backup, RegistryNamedDatabasesAreFoundAndMissingSatellitesSkipped)
{
    ASSERT_TRUE(QFile::remove(inst(QStringLiteral("rates.dat"))));
    ASSERT_TRUE(QFile::remove(inst(QStringLiteral("Auctions.dat"))));
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
    QString message;
    ASSERT_EQ(backUpInto(component, chosen(), message), BackupComponent::backupMade)
        << message.toStdString();
    const QString folder = component.lastBackupFolder();
    // The main database shares its name with the settings database; neither is lost.
    EXPECT_EQ(filesIn(folder), (QStringList{"deutsch.lan", "printlabels.dat", "settings (2).dat",
                                            "settings.dat", "weblinks.dat"}));
    EXPECT_EQ(contentOf(folder + "/settings.dat"), contentOf(cellar));
    EXPECT_EQ(contentOf(folder + "/settings (2).dat"), contentOf(databases().at(1)));
}

} // namespace
} // namespace outside::test
