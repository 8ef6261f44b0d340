#pragma once

// Splits a Jet SQL text into tokens. Raises jet::SqlSyntaxError for an unterminated string,
// bracket or date literal, and for characters Jet SQL does not use.

#include "Token.h"

#include <QList>
#include <QString>

namespace jet::sql {

QList<Token> tokenize(const QString& text);

} // namespace jet::sql
