#pragma once

// OpenTable: a table opened directly, as the update procedures walk and change tables.

#include <QString>

namespace jet {
class Connection;
class Recordset;
} // namespace jet

namespace DatabaseHelpers {

// Opens `tableName` table-direct with a keyset cursor, read-only when `readOnly` is set, else
// with optimistic locking; a non-empty `indexName` becomes the recordset's Index (for Seek).
void OpenTable(jet::Recordset& recordset, jet::Connection& connection, const QString& tableName,
               bool readOnly, const QString& indexName = QString());

} // namespace DatabaseHelpers
