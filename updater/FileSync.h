#pragma once

// Durable small-file operations for the run's own bookkeeping files: what is written or removed
// here survives a crash or power cut the moment the call returns.

#include <QByteArray>
#include <QString>

namespace updater {

// Writes `content` to `path` through a temporary file that is synced and renamed over it, then
// syncs the folder. Raises vb::Error naming the file on failure; `path` is then unchanged.
void writeFileDurably(const QString& path, const QByteArray& content);
// Removes `path` (a missing file is no error) and syncs the folder. Raises vb::Error on failure.
void removeFileDurably(const QString& path);

} // namespace updater
