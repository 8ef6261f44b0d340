#pragma once

// PAD ALL!: the numbers in a user field rewritten with a fixed count of digits and decimals.

#include <optional>
#include <QChar>
#include <QString>
#include <QStringList>

namespace jet {
class Connection;
}

namespace vb {
class Variant;
}

namespace gorvane {

// No number box takes more than two characters; the format never grows beyond this.
inline constexpr int MaxPadDigits = 99;

// The captions of the zero padding field list: the user fields.
const QStringList& zeroPadFields();

// The decimal sign of the user's locale, as the locale writes 1.2.
QChar localeDecimalSign();
// "000.00" for 3 digits and 2 decimals; no decimals give no "."; 0 and 0 give "" (the general
// number form). The counts are the numeric values of the two boxes' texts.
QString zeroPadFormat(const QString& digits, const QString& decimals);
// The format as the user will see its results: "." shown as the locale's decimal sign.
QString zeroPadSample(const QString& format, QChar decimalSign);
// The number a field holds: as the locale reads it, or with the other decimal sign ("," for "."
// or the reverse) read as the locale's; nothing for Null and text that is no number.
std::optional<double> fieldNumber(const vb::Variant& value, QChar decimalSign);

// Rewrites every number of `field` in tblWines with `format`; returns the number of wines written.
long long PadAllValues(jet::Connection& connection, const QString& field, const QString& format);

} // namespace gorvane
