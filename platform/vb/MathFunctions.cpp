#include "MathFunctions.h"

#include "Error.h"
#include "NumericText.h"
#include "Rounding.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace vb {

namespace {

// Applies a whole-number rounding to any numeric Variant and keeps its type.
template <typename DoubleOp, typename RawOp>
Variant keepType(const Variant& number, DoubleOp op, RawOp rawOp)
{
    switch (number.type()) {
    case VarType::Null:
        return Variant::null();
    case VarType::Empty:
        return Variant(std::int16_t{0});
    case VarType::Boolean:
        return Variant(number.toInteger());
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
        return number;
    case VarType::Single:
        return Variant(static_cast<float>(op(number.toSingle())));
    case VarType::Currency:
        return Variant(Currency::fromRaw(rawOp(number.toCurrency().raw())));
    case VarType::Date:
        return Variant::fromDate(op(number.toDate()));
    default:
        return Variant(op(number.toDouble()));
    }
}

// count * unit, raising Overflow where the Currency range ends (Int of its minimum value).
std::int64_t timesUnit(std::int64_t count, std::int64_t unit)
{
    std::int64_t result = 0;
    if (__builtin_mul_overflow(count, unit, &result)) {
        throw Error(ErrorNumber::Overflow);
    }
    return result;
}

std::int64_t floorToUnit(std::int64_t raw, std::int64_t unit)
{
    std::int64_t q = raw / unit;
    if (raw % unit != 0 && raw < 0) {
        --q;
    }
    return timesUnit(q, unit);
}

std::int64_t power10(int exponent)
{
    std::int64_t p = 1;
    for (int i = 0; i < exponent; ++i) {
        p *= 10;
    }
    return p;
}

} // namespace

double roundDecimal(double value, int digits, bool halfEven)
{
    if (!std::isfinite(value) || value == 0.0) {
        return value;
    }
    // The shortest decimal that reads back as the value, as digits and a decimal exponent.
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::fabs(value), std::chars_format::scientific);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t ePos = text.find('e');
    std::string mantissa;
    for (const char c : text.substr(0, ePos)) {
        if (c != '.') {
            mantissa += c;
        }
    }
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+' ? 1 : 0),
                    text.data() + text.size(), exponent);
    // mantissa digit i has weight 10^(exponent - i); keep digits down to 10^-digits.
    const int keep = exponent + digits + 1;
    if (keep >= static_cast<int>(mantissa.size())) {
        return value;
    }
    if (keep < 0) {
        return std::copysign(0.0, value);
    }
    std::string kept = mantissa.substr(0, static_cast<std::size_t>(keep));
    const std::string dropped = mantissa.substr(static_cast<std::size_t>(keep));
    const bool moreThanHalf =
        dropped[0] > '5' ||
        (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != std::string::npos);
    const bool tie = dropped[0] == '5' && !moreThanHalf;
    const bool lastOdd = !kept.empty() && (kept.back() - '0') % 2 != 0;
    const bool up = moreThanHalf || (tie && (!halfEven || lastOdd));
    std::string number = kept.empty() ? "0" : kept;
    if (up) {
        // Decimal increment of the last kept digit, carrying leftwards.
        auto digit = number.rbegin();
        for (; digit != number.rend() && *digit == '9'; ++digit) {
            *digit = '0';
        }
        if (digit == number.rend()) {
            number.insert(number.begin(), '1');
        } else {
            ++*digit;
        }
    }
    number += 'e' + std::to_string(exponent - keep + 1);
    double rounded = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), rounded);
    return std::copysign(rounded, value);
}

Variant Int(const Variant& number)
{
    return keepType(
        number, [](double v) { return std::floor(v); },
        [](std::int64_t raw) { return floorToUnit(raw, Currency::Scale); });
}

Variant Fix(const Variant& number)
{
    return keepType(
        number, [](double v) { return std::trunc(v); },
        [](std::int64_t raw) { return raw / Currency::Scale * Currency::Scale; });
}

Variant Round(const Variant& number, const Variant& digits)
{
    const std::int32_t places = digits.toLong();
    if (places < 0) {
        throw Error(ErrorNumber::InvalidProcedureCall);
    }
    if (number.type() == VarType::String) {
        return Variant(roundDecimal(number.toDouble(), places, true));
    }
    return keepType(
        number, [places](double v) { return roundDecimal(v, places, true); },
        [places](std::int64_t raw) {
            if (places >= 4) {
                return raw;
            }
            const std::int64_t unit = power10(4 - places);
            return timesUnit(divideHalfEven(raw, unit), unit);
        });
}

Variant Abs(const Variant& number)
{
    switch (number.type()) {
    case VarType::Null:
        return Variant::null();
    case VarType::Empty:
        return Variant(std::int16_t{0});
    case VarType::Boolean:
    case VarType::Integer: {
        const std::int16_t v = number.toInteger();
        if (v == std::numeric_limits<std::int16_t>::min()) {
            throw Error(ErrorNumber::Overflow);
        }
        return Variant(static_cast<std::int16_t>(v < 0 ? -v : v));
    }
    case VarType::Byte:
        return number;
    case VarType::Long: {
        const std::int32_t v = number.toLong();
        if (v == std::numeric_limits<std::int32_t>::min()) {
            throw Error(ErrorNumber::Overflow);
        }
        return Variant(v < 0 ? -v : v);
    }
    case VarType::Single:
        return Variant(std::fabs(number.toSingle()));
    case VarType::Currency: {
        const Currency c = number.toCurrency();
        return Variant(c.raw() < 0 ? -c : c);
    }
    case VarType::Date:
        return Variant::fromDate(std::fabs(number.toDate()));
    default:
        return Variant(std::fabs(number.toDouble()));
    }
}

Variant Sgn(const Variant& number)
{
    if (number.isNull()) {
        return Variant::null();
    }
    const double v = number.type() == VarType::Currency
                         ? static_cast<double>(number.toCurrency().raw())
                         : number.toDouble();
    return Variant(static_cast<std::int16_t>(v > 0 ? 1 : v < 0 ? -1 : 0));
}

} // namespace vb

namespace vb {

namespace {

template <typename Op>
Variant realFunction(const Variant& number, Op op)
{
    if (number.isNull()) {
        return Variant::null();
    }
    const double result = op(number.toDouble());
    if (std::isnan(result)) {
        throw Error(ErrorNumber::InvalidProcedureCall);
    }
    if (std::isinf(result)) {
        throw Error(ErrorNumber::Overflow);
    }
    return Variant(result);
}

} // namespace

Variant Sqr(const Variant& number)
{
    return realFunction(number, [](double x) { return x < 0 ? std::nan("") : std::sqrt(x); });
}

Variant Exp(const Variant& number)
{
    return realFunction(number, [](double x) { return std::exp(x); });
}

Variant Log(const Variant& number)
{
    return realFunction(number, [](double x) { return x <= 0 ? std::nan("") : std::log(x); });
}

Variant Atn(const Variant& number)
{
    return realFunction(number, [](double x) { return std::atan(x); });
}

Variant Sin(const Variant& number)
{
    return realFunction(number, [](double x) { return std::sin(x); });
}

Variant Cos(const Variant& number)
{
    return realFunction(number, [](double x) { return std::cos(x); });
}

Variant Tan(const Variant& number)
{
    return realFunction(number, [](double x) { return std::tan(x); });
}

} // namespace vb
