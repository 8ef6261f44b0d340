#pragma once

// Compacting one database file, safely.
//
// 1. The file is opened in SQLite's exclusive locking mode and an exclusive transaction is
//    begun: this fails at once when any other connection has the database open (in
//    write-ahead-log mode every open connection holds a shared lock on the file) or is writing
//    to it, and from then on nobody else can open it until we are done.
// 2. The original must pass the integrity check and have a readable version table tblDBVer;
//    a damaged file is never compacted (compaction could drop what is left of the damage).
// 3. SQLite compacts it into a new file beside it (VACUUM INTO), which is flushed to disk and
//    checked: integrity, the version table, and the same content (schema and every row) as the
//    original.
// 4. The checked file is written back over the original through the connection that holds
//    the lock (SQLite's online backup), as one transaction of the original's own journal; a
//    checkpoint then truncates the file to its new size. A crash at any moment leaves either
//    the old or the new content, never a mixture. Writing back in place, rather than renaming
//    the new file over the original, keeps the file itself (its permissions, and every program
//    that was waiting to open it sees the new content, never a deleted copy).
// 5. The result is checked again against the original's content.

#include <QString>

namespace tovrak {

struct CompactionResult
{
    qint64 sizeBefore = 0;
    qint64 sizeAfter = 0;
};

// Raises vb::Error saying why the file was not compacted; the file is then as it was.
CompactionResult compactDatabase(const QString& path);

} // namespace tovrak
