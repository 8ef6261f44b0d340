#include "HostBackupComponent.h"

#include "outside/backup/BackupComponent.h"

namespace updater {

namespace {

class HostBackupComponent : public UserFilesBackup
{
public:
    explicit HostBackupComponent(const QString& toolsFolder) : m_component(toolsFolder) {}

    qint16 backupUserFiles(qint32 ownerWindow, const QString& prompt, QString& message) override
    {
        return m_component.backupUserFiles(ownerWindow, prompt, message);
    }
    void setTargetFolder(const QString& folder) override { m_component.setTargetFolder(folder); }

private:
    backup::BackupComponent m_component;
};

} // namespace

std::unique_ptr<UserFilesBackup> createHostBackupComponent(const QString& toolsFolder)
{
    return std::make_unique<HostBackupComponent>(toolsFolder);
}

} // namespace updater
