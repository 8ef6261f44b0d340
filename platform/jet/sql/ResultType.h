#pragma once

// The Jet type of a select-list expression, where the syntax tree tells it. SQLite declares a
// type only for a bare column, so a computed Date (DateSerial(...), #1/2/2003# + 7) would reach
// the caller as its day number; the translation reports the type word instead.

#include "Ast.h"

#include <functional>
#include <QString>

namespace jet::sql {

// The Jet type word of `e` ("DATETIME", "CURRENCY", "BIT", "SHORT", "LONG", "BYTE", "SINGLE",
// "DOUBLE", "TEXT"), or an empty string when it cannot be told. `nameType` gives the type word
// of a name of one or two parts (an alias of the same list, or a column), empty when unknown.
QString inferResultType(const Expr& e, const std::function<QString(const Expr& name)>& nameType);

} // namespace jet::sql
