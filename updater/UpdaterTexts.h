#pragma once

// Every text the update run shows, in one place. The wording of the run's own messages is the
// one users and support staff know, misspellings included; do not "correct" it.

#include "common/SupportAddress.h"

#include <QString>

namespace updater::texts {

// Where users are sent when an update goes wrong.
using common::SupportAddress;

inline const QString Caption = QStringLiteral("Quorvex Database Update");
inline const QString CheckingVersions = QStringLiteral("Checking database versions...");
inline const QString CloseButton = QStringLiteral("Close");

inline const QString WillConvert =
    QStringLiteral("Your database will now be converted, if required.");
inline const QString BackupPrompt =
    QStringLiteral("Select a folder where to backup your data files");
inline const QString BackupCancelled =
    QStringLiteral("You have selected to cancel the backup. Do you still want to go ahead with the "
                   "update of your files anyway?");

QString backupFailed(int result, const QString& message);
QString compactionNotStarted();
QString severeDatabaseError(const QString& errorText, const QString& errorSource);
QString restoreFailed(const QString& errorText, const QString& errorSource);

// Beyond the run's classic messages: another updater at work, and a restart after an updater
// that was stopped half-way.
QString alreadyRunning(const QString& toolsFolder);
QString interruptedRunRestored();
// The compaction program is there but may not be run.
QString compactionNotRunnable(const QString& program, const QString& reason);
// A database at a version this updater has no chain for: it is left as it is.
QString unknownVersion(const QString& description, const QString& path, int version, int oldest,
                       int current);
// The backup the command line asked for (--backup-dir) could not be made.
QString requestedBackupFailed(const QString& folder, int result, const QString& message);

} // namespace updater::texts
