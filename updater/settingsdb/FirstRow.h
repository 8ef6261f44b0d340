#pragma once

// The one-row tables (tblPreferences, tblVersions, tblDBVer) are changed on their first row; a
// table that has lost its row stops the update with an error that says which table it is.

#include <QString>

namespace jet {
class Connection;
class Recordset;
} // namespace jet

namespace updater {

// Raises vb::Error 3021 (no current record) naming the table and the database file when
// `recordset`, just opened on `table` of `connection`, holds no row.
void requireFirstRow(const jet::Recordset& recordset, const jet::Connection& connection,
                     const QString& table);

} // namespace updater
