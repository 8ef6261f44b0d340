#pragma once

// Writes the syntax tree of a Jet statement as SQLite SQL with Jet's semantics: -1/0 truth
// values, the operator helpers and VBA functions registered by registerSqlFunctions(), the JET
// collation for text comparisons, and parameters for names Jet would prompt for.

#include "Ast.h"
#include "JetSql.h"

namespace jet::sql {

TranslatedStatement writeStatement(const Statement& statement, const TranslateOptions& options);

} // namespace jet::sql
