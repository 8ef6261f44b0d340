// Backups that cannot be made: a cancelled dialog, a folder that cannot be written, a missing or
// damaged data file. Each gives its own result and a message naming what failed, and no partial
// backup is left behind.

#include "BackupFixture.h"
#include "outside/backup/BackupComponent.h"
#include "platform/shell/GTestScriptedUser.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>
#include <unistd.h>

namespace backup::test {
namespace {

const QString prompt = QStringLiteral("Select a folder where to backup your data files");

using Failure = BackupTest;

TEST_F(Failure, ACancelledDialogGivesZeroAndCopiesNothing)
{
    shell::GTestScriptedUser user;
    user.expectExistingDirectory(QString());
    BackupComponent component(tools());
    QString message = QStringLiteral("left over");
    EXPECT_EQ(component.backupUserFiles(0, prompt, message), BackupComponent::userCancelled);
    EXPECT_TRUE(message.isEmpty());
    EXPECT_TRUE(filesIn(chosen()).isEmpty());
    EXPECT_TRUE(component.lastBackupFolder().isEmpty());
}

TEST_F(Failure, AFolderThatCannotBeWrittenIsNamed)
{
    QString folder = chosen();
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    if (::access(QFile::encodeName(folder).constData(), W_OK) == 0)
        folder = QStringLiteral("/proc"); // permissions do not bind this user; /proc binds all
    shell::GTestScriptedUser user;
    user.expectExistingDirectory(folder);
    BackupComponent component(tools());
    QString message;
    EXPECT_EQ(component.backupUserFiles(0, prompt, message), 75);
    EXPECT_TRUE(message.contains(QStringLiteral("'%1'").arg(folder))) << message.toStdString();
    QFile::setPermissions(chosen(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(filesIn(chosen()).isEmpty());
}

TEST_F(Failure, AMissingDatabaseIsNamedBeforeAnythingIsWritten)
{
    ASSERT_TRUE(QFile::remove(inst(QStringLiteral("weblinks.dat"))));
    BackupComponent component(tools());
    component.setTargetFolder(chosen());
    QString message;
    EXPECT_EQ(component.backupUserFiles(0, prompt, message), 53);
    EXPECT_TRUE(message.contains(inst(QStringLiteral("weblinks.dat")))) << message.toStdString();
    EXPECT_TRUE(filesIn(chosen()).isEmpty());
}

TEST_F(Failure, AChosenFolderThatDoesNotExistIsNamed)
{
    const QString missing = m_dir.filePath(QStringLiteral("gone"));
    BackupComponent component(tools());
    component.setTargetFolder(missing);
    QString message;
    EXPECT_EQ(component.backupUserFiles(0, prompt, message), 76);
    EXPECT_TRUE(message.contains(missing)) << message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(Failure, AFailureHalfWayRemovesThePartialBackup)
{
    // The settings database is damaged below the engine: its copy fails its check, after the
    // main database has already been copied.
    const QString settings = inst(QStringLiteral("settings.dat"));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(settings).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "PRAGMA writable_schema=ON; UPDATE sqlite_schema SET sql = 'CREATE "
                           "INDEX \"tblData.Name\" ON tblData (ID)' WHERE name = 'tblData.Name'",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    BackupComponent component(tools());
    component.setTargetFolder(chosen());
    QString message;
    EXPECT_EQ(component.backupUserFiles(0, prompt, message), 321);
    EXPECT_TRUE(message.contains(settings)) << message.toStdString();
    EXPECT_TRUE(filesIn(chosen()).isEmpty()) << filesIn(chosen()).join(", ").toStdString();
}

} // namespace
} // namespace backup::test
