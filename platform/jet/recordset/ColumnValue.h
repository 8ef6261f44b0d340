#pragma once

// Values between a recordset's fields and the SQLite columns behind them. A field keeps its Jet
// type: reading gives Dates for DATETIME, Booleans for BIT, Integers for SHORT, Currency for
// CURRENCY; a value assigned to a field is converted to that type first, as ADO does, so a
// table never receives "12" for a Long or 1 for a Yes/No.

#include "jet/FieldReading.h"
#include "jet/ResultSet.h"
#include "vb/Variant.h"

struct sqlite3_stmt;

namespace jet::detail {

// `value` converted to the type of `field` (Empty and Null give Null). Raises ADO's
// "Multiple-step operation generated errors" naming the field and the reason when the value
// cannot be held (type mismatch, overflow).
vb::Variant toFieldType(const vb::Variant& value, const Field& field);

// Binds the storage form of `value`: Null -> NULL, Boolean -> -1/0, whole numbers -> INTEGER,
// Single/Double/Currency/Date -> REAL, String -> TEXT, byte array -> BLOB.
void bindValue(sqlite3_stmt* statement, int index, const vb::Variant& value);

} // namespace jet::detail
