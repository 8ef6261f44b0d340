#pragma once

// The new folder a backup goes into: "Quorvex Backup yyyy-mm-dd hh.mm.ss" below the chosen
// folder, or with " (2)", " (3)", ... appended while that name is taken. The folder is claimed
// by creating it, so two backups never share one.

#include <QDateTime>
#include <QString>

namespace backup {

// Creates the folder and returns its path. Raises vb::Error naming `parent` when no folder can
// be made there.
QString createDatedFolder(const QString& parent, const QDateTime& time);

} // namespace backup
