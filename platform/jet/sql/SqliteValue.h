#pragma once

// Moving values between SQLite and VB: what a VBA function or operator helper receives and
// returns inside SQL.

#include "vb/Variant.h"

struct sqlite3_context;
struct sqlite3_value;

namespace jet::sql {

// SQLite keeps Dates and Booleans as numbers. A number handed from one function straight to
// another can carry one of these subtypes to say which it was.
constexpr unsigned int DateSubtype = 'D';
constexpr unsigned int BooleanSubtype = 'B';

// NULL -> Null, INTEGER -> Long (Double beyond 32 bits), REAL -> Double, TEXT -> String,
// BLOB -> Byte array; a number with the Date subtype (and in the Date range) -> Date, with
// the Boolean subtype -> Boolean.
vb::Variant fromSqlite(sqlite3_value* value);

// The storage form of a VB value: Empty and Null -> NULL, Boolean -> -1/0, whole numbers ->
// INTEGER, Single/Double/Currency/Date -> REAL, String -> TEXT, Byte array -> BLOB; Dates and
// Booleans carry their subtype. Objects and errors raise error 13.
void resultToSqlite(sqlite3_context* context, const vb::Variant& value);

} // namespace jet::sql
