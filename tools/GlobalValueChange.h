#pragma once

// CHANGE ALL!: one value of a wine field replaced by another in every wine.

#include <QString>
#include <QStringList>

namespace jet {
class Connection;
}

namespace gorvane {

// The captions offered in the field list, in order.
const QStringList& globalChangeCaptions();
// The tblWines field behind a caption ("From" is DrinkFrom, "Best" Optimal, ...); empty for a
// caption that names none.
QString wineField(const QString& caption);

// Whether a caption's values are drinking window points (normalised to "YYYY-MM").
bool isDrinkingWindowCaption(const QString& caption);
// A vintage as the check accepts it: exactly four characters that read as a number.
bool isValidVintage(const QString& value);

// The update statement. The values are written between single quotes with any quote inside
// doubled, so each is matched and written exactly as typed.
QString globalChangeStatement(const QString& field, const QString& oldValue,
                              const QString& newValue);

// Runs the statement; returns the number of wines changed.
long long ChangeAllValues(jet::Connection& connection, const QString& field,
                          const QString& oldValue, const QString& newValue);

} // namespace gorvane
