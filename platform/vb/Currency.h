#pragma once

// VB's Currency: a 64-bit integer counting ten-thousandths, so money adds and subtracts exactly.
// Range -922,337,203,685,477.5808 to 922,337,203,685,477.5807.

#include <compare>
#include <cstdint>
#include <QString>

namespace vb {

class Currency
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;

    // The value whose raw count of ten-thousandths is `raw`.
    static constexpr Currency fromRaw(std::int64_t raw)
    {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    // Rounds half to even at the fourth decimal; raises error 6 (Overflow) outside the range
    // and for NaN or infinities.
    static Currency fromDouble(double value);
    // Exact for whole amounts; raises error 6 when out of range.
    static Currency fromInt64(std::int64_t units);

    constexpr std::int64_t raw() const noexcept { return m_raw; }
    double toDouble() const noexcept;

    // Plain text with '.' as separator and up to four decimals, trailing zeros dropped
    // ("12.5", "-0.0001", "3"). Locale-aware text is Variant::toString().
    QString toPlainString() const;

    // Arithmetic raises error 6 on overflow, as VB does.
    Currency operator-() const;
    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;

    friend constexpr bool operator==(Currency, Currency) = default;
    friend constexpr std::strong_ordering operator<=>(Currency a, Currency b)
    {
        return a.m_raw <=> b.m_raw;
    }

private:
    std::int64_t m_raw = 0;
};

} // namespace vb
