#pragma once

// How Gorvane opens the main wine database: the connection string of the suite's programs, a
// page cache of 2048 KB, and - before a repair - the assurance that no other program of the
// suite is holding the database, so that a repair never fights the host over its rows.

#include <chrono>
#include <QString>

namespace jet {
class Connection;
}

namespace gorvane {

inline constexpr int MaxBufferSizeKb = 2048;

// Opens `connection` with the programs' connection string. With `raiseErrors` false a failure
// is not raised: the caller tests connection.errors(). When the open reported no error, the
// connection's "Jet OLEDB:Max Buffer Size" is set to 2048.
void OpenDatabase(jet::Connection& connection, const QString& path, bool raiseErrors);

// OpenDatabase with errors suppressed, then a check that no other program keeps the database
// locked for writing (waiting up to `lockWait` for it to let go). False when the database cannot
// be opened or is held; the connection is then closed and nothing has been changed.
bool openForRepair(jet::Connection& connection, const QString& path,
                   std::chrono::milliseconds lockWait);

} // namespace gorvane
