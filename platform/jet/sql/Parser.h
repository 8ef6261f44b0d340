#pragma once

// Recursive-descent parser of Jet SQL: one statement into a syntax tree. Raises
// jet::SqlSyntaxError with Jet's wording and the position where parsing stopped, and
// vb::Error for statements Jet knows but this engine refuses (crosstab queries).

#include "Ast.h"

#include <QString>

namespace jet::sql {

Statement parseStatement(const QString& text);

// The name a PARAMETERS declaration or a reference gives a parameter: parts without their
// brackets, joined by their separators ("Forms!Orders!OrderID").
QString joinNameParts(const QStringList& parts, const QString& separators);

} // namespace jet::sql
