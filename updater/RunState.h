#pragma once

// The state of one update run, shared by the driver and every update procedure: where the
// databases lie, their four connections, how far the run got, and the error an update recorded.
//
// Update procedures never raise to the driver: they record their error here (recordError) and
// return without calling the next update, and the driver then restores the backups.

#include "common/DatabaseConnections.h"

#include <functional>
#include <QString>

namespace vb {
class Error;
}

namespace updater {

using DatabaseHelpers::DatabaseKind;

struct RunState
{
    QString toolsFolder; // with a trailing separator
    QString productKeyPath;
    QString mainDatabasePath;
    DatabaseHelpers::DatabaseConnections connections;
    bool backupsMade = false;     // all four backups exist and were verified
    bool databasesClosed = false; // closed after a successful update
    QString errorText;            // empty: no error
    QString errorSource;

    bool hasError() const noexcept { return !errorText.isEmpty() || !errorSource.isEmpty(); }
    void recordError(const vb::Error& error);
    void recordError(const QString& text, const QString& source);

    // The open connection of a kind; raises vb::Error 91 when it is not open.
    jet::Connection& connection(DatabaseKind kind);
};

// An update procedure's error trap: runs `body` and records any error it raises in `state`.
// True when the body finished without error, so the procedure goes on with the next update:
//
//     void MainDatabaseUpdate7(RunState& state)
//     {
//         if (!trapUpdateErrors(state, QStringLiteral("MainDatabaseUpdate7"), [&] { ... }))
//             return;
//         MainDatabaseUpdate8(state);
//     }
//
// `procedure` is the source recorded for errors that carry none of their own.
bool trapUpdateErrors(RunState& state, const QString& procedure, const std::function<void()>& body);

} // namespace updater
