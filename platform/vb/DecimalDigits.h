#pragma once

// A non-negative decimal number as a digit string and the position of its decimal point,
// so that Format can scale, round and lay out digits without binary rounding surprises.

#include "Variant.h"

#include <string>

namespace vb {

class DecimalDigits
{
public:
    // The decimal VB displays for a number: 15 significant digits for Double (7 for Single),
    // all four decimals of a Currency. Raises VB's conversion errors for non-numbers.
    static DecimalDigits of(const Variant& number);
    static DecimalDigits fromDouble(double value, int significantDigits);

    bool isNegative() const { return m_negative; }
    bool isZero() const { return m_digits.empty(); }

    // Multiplies by 10^power (percent signs, thousands scaling).
    void scale(int power) { m_pointPos += power; }
    // Rounds half away from zero to `decimals` places after the point.
    void roundTo(int decimals);
    // Rounds to `count` significant digits, half away from zero.
    void roundToSignificant(int count);

    // The whole part's digits without leading zeros ("" below 1).
    std::string integerDigits() const;
    // The first `count` digits after the point, padded with zeros.
    std::string fractionDigits(int count) const;
    // The power of ten of the first significant digit (1234 -> 3, 0.05 -> -2); 0 for zero.
    int leadingExponent() const { return m_pointPos - 1; }

private:
    void roundAtDigit(int keep);

    std::string m_digits; // significant digits, no leading or trailing zeros
    int m_pointPos = 0;   // value = 0.<digits> * 10^pointPos
    bool m_negative = false;
};

} // namespace vb
