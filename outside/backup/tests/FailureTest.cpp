// Backups that cannot be made: a cancelled dialog, a folder that cannot be written, a missing or
// damaged data file. Each gives its own result and a message naming what failed, and no partial
// backup is left behind.

#include "BackupFixture.h"
#include "platform/shell/GTestScriptedUser.h"

#include <QFile>
#include <unistd.h>

namespace outside::test {
namespace {

using backup::BackupComponent;
using Failure = BackupTest;

TEST_F(Failure, ACancelledDialogGivesZeroAndCopiesNothing)
{
    shell::GTestScriptedUser user;
    user.expectExistingDirectory(QString());
    BackupComponent component(tools());
    QString message = QStringLiteral("left over");
    EXPECT_EQ(component.backupUserFiles(0, backupPrompt, message), BackupComponent::userCancelled);
    EXPECT_TRUE(message.isEmpty());
    EXPECT_TRUE(filesIn(chosen()).isEmpty());
}

TEST_F(Failure, AFolderThatCannotBeWrittenIsNamed)
{
    QString folder = chosen();
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    if (::access(QFile::encodeName(folder).constData(), W_OK) == 0)
        folder = QStringLiteral("/proc"); // permissions do not bind this user; /proc binds all
    BackupComponent component(tools());
    QString message;
    EXPECT_EQ(backUpInto(component, folder, message), 75);
    EXPECT_TRUE(message.contains(QStringLiteral("'%1'").arg(folder))) << message.toStdString();
    QFile::setPermissions(chosen(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(filesIn(chosen()).isEmpty());

    const QString missing = m_dir.filePath(QStringLiteral("gone"));
    EXPECT_EQ(backUpInto(component, missing, message), 76);
    EXPECT_TRUE(message.contains(missing)) << message.toStdString();
}

TEST_F(Failure, AMissingOrDamagedDatabaseLeavesNoPartialBackup)
{
    BackupComponent component(tools());
    QString message;
    const QString weblinks = databases().at(3);
    const QByteArray weblinksBytes = bytesOf(weblinks);
    ASSERT_TRUE(QFile::remove(weblinks));
    EXPECT_EQ(backUpInto(component, chosen(), message), 53);
    EXPECT_TRUE(message.contains(weblinks)) << message.toStdString();
    EXPECT_TRUE(filesIn(chosen()).isEmpty());
    ASSERT_TRUE(writeBytes(weblinks, weblinksBytes));

    // The settings copy fails its check after the main database has been copied.
    damageIndex(databases().at(1));
    EXPECT_EQ(backUpInto(component, chosen(), message), 321);
    EXPECT_TRUE(message.contains(databases().at(1))) << message.toStdString();
    EXPECT_TRUE(filesIn(chosen()).isEmpty());
}

} // namespace
} // namespace outside::test
