#pragma once

// The host's backup component (outside/backup) behind the run's UserFilesBackup seam.

#include "UserFilesBackup.h"

#include <memory>

namespace updater {

std::unique_ptr<UserFilesBackup> createHostBackupComponent(const QString& toolsFolder);

} // namespace updater
