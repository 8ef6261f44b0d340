#pragma once

// How the updates open a table to walk or change its rows: directly (table-direct), with a
// keyset cursor, read-only or writable (optimistic locks).

#include <QString>

namespace jet {
class Connection;
class Recordset;
} // namespace jet

namespace updater {

void openTable(jet::Recordset& recordset, jet::Connection& connection, const QString& table,
               bool readOnly);

} // namespace updater
