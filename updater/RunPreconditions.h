#pragma once

// What the run checks before its first change, so that a run that could not finish, or could
// not put back what it changed, never starts: every file it may replace can be written (and
// its folder, where a new copy is written beside it), and each disk holds the backups and the
// growth of the run with a margin. Both raise vb::Error saying what to do; nothing has been
// changed at that point.

#include <functional>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace updater {

// A file the run changes, or puts back from its backup after a failure.
struct FileToChange
{
    QString description; // "main wine database", for messages
    QString path;
};

// Bytes this process may still write on the file system that holds `path`.
using FreeSpace = std::function<qint64(const QString& path)>;
qint64 freeBytes(const QString& path);

// Each file that exists, its folder and the backup folder must be writable for this process
// (not read-only, not another user's, not on a read-only file system).
void checkCanBeWritten(const std::vector<FileToChange>& files, const QString& backupFolder);

// The backup folder's file system needs room for a copy of every file; each file's own file
// system needs room for the file to grow by its size (the write-ahead log may hold every page
// the run changes) and for the temporary copy a restore writes beside the largest file. A
// margin of a tenth plus 8 MiB comes on top.
void checkFreeSpace(const std::vector<FileToChange>& files, const QString& backupFolder,
                    const FreeSpace& freeSpace);

} // namespace updater
