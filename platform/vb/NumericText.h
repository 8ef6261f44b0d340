#pragma once

// How VB reads a number written in a string when converting it (CDbl, CLng, CCur, IsNumeric):
// leading and trailing blanks, a sign in front or behind, parentheses for negatives, the
// locale's currency symbol, group separators and decimal separator, an exponent, and "&H" or
// "&O" prefixes for hexadecimal and octal whole numbers. Val() reads strings differently.

#include "Currency.h"

#include <optional>
#include <QByteArray>
#include <QLocale>
#include <QStringView>

namespace vb {

class NumericText
{
public:
    // Nothing when the whole text is not one number.
    static std::optional<NumericText> parse(QStringView text, const QLocale& locale = QLocale());

    // The nearest double; infinities for values beyond the double range.
    double toDouble() const;
    // Exact conversion with half-even rounding at the fourth decimal; raises 6 when out of range.
    Currency toCurrency() const;

private:
    NumericText(bool negative, QByteArray digits, int exponent);
    static std::optional<NumericText> parsePlainWholeNumber(QStringView text);

    // value = (negative ? -1 : 1) * digits * 10^exponent, digits without leading zeros.
    bool m_negative = false;
    QByteArray m_digits;
    int m_exponent = 0;
};

} // namespace vb
