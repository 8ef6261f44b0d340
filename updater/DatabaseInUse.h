#pragma once

// Whether another program is writing to a database: the run must not back up, change or
// restore a database that someone else is changing at the same moment.

#include "common/DatabaseConnections.h"

#include <chrono>
#include <QString>

namespace updater {

// Takes the database's write lock for a moment and lets it go again. Raises vb::Error naming
// the database when another program holds the lock for longer than `wait`, or when the file
// cannot be opened. A file that does not exist is left to the caller.
void checkNotInUse(DatabaseHelpers::DatabaseKind kind, const QString& path,
                   std::chrono::milliseconds wait);
// The same for a database named by `description` ("auction database").
void checkNotInUse(const QString& description, const QString& path, std::chrono::milliseconds wait);

} // namespace updater
