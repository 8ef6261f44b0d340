#pragma once

// How every database of the suite is opened: one provider, one password, and the file's full
// path after "Data Source=".

#include <QString>

namespace jet {
class Connection;
}

namespace DatabaseHelpers {

// The password every database of the suite carries.
inline const QString DatabasePassword = QStringLiteral("vutmarelko");

// The updater's form of the connection string. The path goes in as written (spaces need no
// quotes); only a path the connection string could not hold otherwise (one with ";" or starting
// with a quote) is quoted, so that it still names the same file.
QString UpdaterConnectionString(const QString& fullPath);
// The form the report modules, the analyser and the maintenance tools use.
QString ProgramConnectionString(const QString& fullPath);

// Opens `connection` on the database at `fullPath` with the updater's connection string. With
// `raiseErrors` false a failure is not raised: the caller inspects connection.errors().
void OpenDatabase(jet::Connection& connection, const QString& fullPath, bool raiseErrors);

} // namespace DatabaseHelpers
