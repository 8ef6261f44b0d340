#pragma once

// TableSchema to and from the JSON text kept in MSysJetObjects.

#include "TableSchema.h"

#include <QString>

namespace jet::detail {

QString toJson(const TableSchema& table);
// Raises when the text is not a table description (a damaged engine table).
TableSchema tableFromJson(const QString& name, const QString& json);

// The Jet type word a type is stored under ("TEXT", "COUNTER", ...).
QString jetTypeWord(JetType type);

} // namespace jet::detail
