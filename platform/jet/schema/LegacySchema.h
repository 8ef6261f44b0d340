#pragma once

// The Jet-level shape of a table that has no description in MSysJetObjects (made before the
// catalog kept one, or by plain SQLite): read from the column declarations, which carry Jet's
// type words ("TEXT(50)", "SHORT", "DATETIME"), and from indexes named "<table>.<index>".

#include "TableSchema.h"

struct sqlite3;

namespace jet::detail {

TableSchema legacyTableSchema(sqlite3* db, const QString& table);

} // namespace jet::detail
