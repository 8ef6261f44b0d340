#pragma once

// When a file was created, as far as the file system says: its birth time, or where it keeps
// none (no birth time in the answer, or a zero one, which some file systems give) the time of
// its last status change, never 1 January 1970.

#include <QtGlobal>
#include <sys/stat.h>

namespace analyser {

// A file time as milliseconds since the epoch.
qint64 milliseconds(const statx_timestamp& stamp);
qint64 creationMilliseconds(const struct statx& facts);

} // namespace analyser
