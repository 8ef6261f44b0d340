#include "Currency.h"

#include "Error.h"
#include "NumericText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace vb {

namespace {

constexpr std::int64_t maxRaw = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t minRaw = std::numeric_limits<std::int64_t>::min();

} // namespace

Currency Currency::fromDouble(double value)
{
    if (!std::isfinite(value)) {
        throw Error(ErrorNumber::Overflow);
    }
    // Round the shortest decimal that reads back as `value`, not its binary expansion: 0.00015
    // is stored as 0.000149999..., yet is meant as, and printed as, 0.00015.
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    const std::optional<NumericText> decimal = NumericText::parse(
        QString::fromLatin1(buffer.data(), result.ptr - buffer.data()), QLocale::c());
    if (!decimal) {
        throw Error(ErrorNumber::Overflow);
    }
    return decimal->toCurrency();
}

Currency Currency::fromInt64(std::int64_t units)
{
    if (units > maxRaw / Scale || units < minRaw / Scale) {
        throw Error(ErrorNumber::Overflow);
    }
    return fromRaw(units * Scale);
}

double Currency::toDouble() const noexcept
{
    // Split so that the whole part stays exact when the raw count exceeds 2^53.
    const std::int64_t whole = m_raw / Scale;
    const std::int64_t fraction = m_raw % Scale;
    return static_cast<double>(whole) + static_cast<double>(fraction) / Scale;
}

QString Currency::toPlainString() const
{
    const bool negative = m_raw < 0;
    // Work in unsigned so that the minimum value does not overflow on negation.
    const std::uint64_t magnitude =
        negative ? 0u - static_cast<std::uint64_t>(m_raw) : static_cast<std::uint64_t>(m_raw);
    QString text = QString::number(magnitude / Scale);
    std::uint64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0'))) {
            digits.chop(1);
        }
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

Currency Currency::operator-() const
{
    if (m_raw == minRaw) {
        throw Error(ErrorNumber::Overflow);
    }
    return fromRaw(-m_raw);
}

Currency Currency::operator+(Currency other) const
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(m_raw, other.m_raw, &sum)) {
        throw Error(ErrorNumber::Overflow);
    }
    return fromRaw(sum);
}

Currency Currency::operator-(Currency other) const
{
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(m_raw, other.m_raw, &difference)) {
        throw Error(ErrorNumber::Overflow);
    }
    return fromRaw(difference);
}

} // namespace vb
