#pragma once

// The host's backup component as the update run uses it: it asks the user for a folder and
// copies the user's data files there. The run relies only on its result and text.

#include <functional>
#include <memory>
#include <QString>

namespace updater {

class UserFilesBackup
{
public:
    // Results of backupUserFiles besides an error number.
    static constexpr qint16 BackupMade = -1;
    static constexpr qint16 Cancelled = 0;

    UserFilesBackup() = default;
    UserFilesBackup(const UserFilesBackup&) = delete;
    UserFilesBackup& operator=(const UserFilesBackup&) = delete;
    virtual ~UserFilesBackup() = default;

    // -1 when the backup was made, 0 when the user cancelled, else an error number with its
    // explanation in `message`.
    virtual qint16 backupUserFiles(qint32 ownerWindow, const QString& prompt, QString& message) = 0;
    // The next backup goes to `folder` without asking (unattended runs).
    virtual void setTargetFolder(const QString& folder) = 0;
};

// Creates the component for the installation whose tools folder is given.
using UserFilesBackupFactory =
    std::function<std::unique_ptr<UserFilesBackup>(const QString& toolsFolder)>;

} // namespace updater
