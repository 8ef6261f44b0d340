#pragma once

// One column of a SQLite row read as a field, for every reader of rows (ResultSet and the
// recordsets): the field's description from the statement, and the current row's value in
// the field's Jet type.

#include "ResultSet.h"
#include "vb/Variant.h"

#include <QStringList>

struct sqlite3_stmt;

namespace jet::detail {

// The field of result column `column`: its name, its declared type, and the Jet type of that
// declaration; a column SQLite declares no type for takes inferredTypes[column] (the word the
// translation inferred), when there is one.
Field describeColumn(sqlite3_stmt* statement, int column, const QStringList& inferredTypes = {});

// The current row's value of `column` in the type of `field`: Dates for DATETIME, Booleans
// for BIT, Integers for SHORT, Currency for CURRENCY, text for a text field; Null is Null. A
// stored value that does not fit the type is given as it is rather than bent into it.
vb::Variant readColumn(sqlite3_stmt* statement, int column, const Field& field);

// The Currency of a Double read from or assigned to a Currency field.
vb::Currency currencyOf(double value);

} // namespace jet::detail
