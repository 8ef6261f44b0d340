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
// What a field holds, read as the locale reads it and with the other decimal sign ("," for "."
// or the reverse) read as the locale's.
struct FieldReading
{
    enum class Kind
    {
        Number,     // one number, whichever way it is read
        NotANumber, // Null, or text that is no number either way
        Ambiguous,  // different numbers ("12,5": 125 with a full stop, 12.5 with a comma as the
                    // decimal sign): rewriting it could change its magnitude
    };
    Kind kind = Kind::NotANumber;
    double value = 0;
};
FieldReading readFieldNumber(const vb::Variant& value, QChar decimalSign);
// The number of a field that reads as one; nothing otherwise.
std::optional<double> fieldNumber(const vb::Variant& value, QChar decimalSign);

struct PadResult
{
    long long written = 0;
    long long leftAmbiguous = 0; // texts that read as different numbers, left as they are
};

// Rewrites every number of `field` in tblWines with `format`.
PadResult PadAllValues(jet::Connection& connection, const QString& field, const QString& format);

} // namespace gorvane
