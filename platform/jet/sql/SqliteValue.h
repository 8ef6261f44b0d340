#pragma once

// Moving values between SQLite and VB: what a VBA function or operator helper receives and
// returns inside SQL.

#include "vb/Variant.h"

struct sqlite3_context;
struct sqlite3_value;

namespace jet::sql {

// NULL -> Null, INTEGER -> Long (Double beyond 32 bits), REAL -> Double, TEXT -> String,
// BLOB -> Byte array.
vb::Variant fromSqlite(sqlite3_value* value);

// The storage form of a VB value: Empty and Null -> NULL, Boolean -> -1/0, whole numbers ->
// INTEGER, Single/Double/Currency/Date -> REAL, String -> TEXT, Byte array -> BLOB. Objects
// and errors raise error 13.
void resultToSqlite(sqlite3_context* context, const vb::Variant& value);

} // namespace jet::sql
