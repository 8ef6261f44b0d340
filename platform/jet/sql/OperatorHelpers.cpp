#include "OperatorHelpers.h"

#include "vb/Error.h"

#include <cmath>
#include <cstdint>

namespace jet::sql {
namespace {

bool isWhole(const vb::Variant& v)
{
    switch (v.type()) {
    case vb::VarType::Byte:
    case vb::VarType::Integer:
    case vb::VarType::Long:
    case vb::VarType::Boolean:
    case vb::VarType::Empty:
        return true;
    default:
        return false;
    }
}

std::int64_t wholeValue(const vb::Variant& v)
{
    return v.type() == vb::VarType::Empty ? 0 : v.toLong();
}

vb::Variant fromInt64OrDouble(long double value)
{
    if (value >= -9.2e18L && value <= 9.2e18L && value == std::floor(value))
        return vb::Variant::fromInt64(static_cast<std::int64_t>(value));
    return vb::Variant(static_cast<double>(value));
}

std::int64_t roundedWhole(const vb::Variant& v)
{
    const double d = v.toDouble();
    if (!std::isfinite(d) || std::fabs(d) > 9.2e18)
        throw vb::Error(vb::ErrorNumber::Overflow);
    return static_cast<std::int64_t>(std::nearbyint(d)); // default rounding: half to even
}

// Jet has no bitwise operators: a number is True when it is not zero.
bool isTrue(const vb::Variant& v)
{
    return v.type() != vb::VarType::Empty && v.toDouble() != 0;
}

} // namespace

vb::Variant concat(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() && b.isNull())
        return vb::Variant::null();
    const QString left = a.isNull() ? QString() : a.toString();
    const QString right = b.isNull() ? QString() : b.toString();
    return vb::Variant(left + right);
}

vb::Variant add(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() || b.isNull())
        return vb::Variant::null();
    if (a.isString() && b.isString())
        return vb::Variant(a.toString() + b.toString());
    if (isWhole(a) && isWhole(b))
        return fromInt64OrDouble(static_cast<long double>(wholeValue(a)) + wholeValue(b));
    // toDouble() raises 13 for a text that is not a number, as Jet does.
    return vb::Variant(a.toDouble() + b.toDouble());
}

vb::Variant subtract(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() || b.isNull())
        return vb::Variant::null();
    if (isWhole(a) && isWhole(b))
        return fromInt64OrDouble(static_cast<long double>(wholeValue(a)) - wholeValue(b));
    // toDouble() raises 13 for a text that is not a number.
    return vb::Variant(a.toDouble() - b.toDouble());
}

vb::Variant multiply(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() || b.isNull())
        return vb::Variant::null();
    if (isWhole(a) && isWhole(b))
        return fromInt64OrDouble(static_cast<long double>(wholeValue(a)) * wholeValue(b));
    return vb::Variant(a.toDouble() * b.toDouble());
}

vb::Variant divide(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() || b.isNull())
        return vb::Variant::null();
    const double divisor = b.toDouble();
    if (divisor == 0)
        throw vb::Error(vb::ErrorNumber::DivisionByZero);
    return vb::Variant(a.toDouble() / divisor);
}

vb::Variant intDivide(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() || b.isNull())
        return vb::Variant::null();
    const std::int64_t divisor = roundedWhole(b);
    if (divisor == 0)
        throw vb::Error(vb::ErrorNumber::DivisionByZero);
    const std::int64_t dividend = roundedWhole(a);
    if (dividend == INT64_MIN && divisor == -1)
        throw vb::Error(vb::ErrorNumber::Overflow);
    return vb::Variant::fromInt64(dividend / divisor);
}

vb::Variant modulo(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() || b.isNull())
        return vb::Variant::null();
    const std::int64_t divisor = roundedWhole(b);
    if (divisor == 0)
        throw vb::Error(vb::ErrorNumber::DivisionByZero);
    if (divisor == -1)
        return vb::Variant::fromInt64(0);
    return vb::Variant::fromInt64(roundedWhole(a) % divisor);
}

vb::Variant power(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() || b.isNull())
        return vb::Variant::null();
    const double base = a.toDouble();
    const double exponent = b.toDouble();
    if (base < 0 && exponent != std::floor(exponent))
        throw vb::Error(vb::ErrorNumber::InvalidProcedureCall);
    if (base == 0 && exponent < 0)
        throw vb::Error(vb::ErrorNumber::DivisionByZero);
    const double result = std::pow(base, exponent);
    if (!std::isfinite(result))
        throw vb::Error(vb::ErrorNumber::Overflow);
    return vb::Variant(result);
}

vb::Variant logicalNot(const vb::Variant& a)
{
    if (a.isNull())
        return vb::Variant::null();
    return vb::Variant(!isTrue(a));
}

vb::Variant logicalAnd(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() || b.isNull()) {
        const vb::Variant& other = a.isNull() ? b : a;
        if (!other.isNull() && !isTrue(other))
            return vb::Variant(false);
        return vb::Variant::null();
    }
    return vb::Variant(isTrue(a) && isTrue(b));
}

vb::Variant logicalOr(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() || b.isNull()) {
        const vb::Variant& other = a.isNull() ? b : a;
        if (!other.isNull() && isTrue(other))
            return vb::Variant(true);
        return vb::Variant::null();
    }
    return vb::Variant(isTrue(a) || isTrue(b));
}

vb::Variant logicalXor(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() || b.isNull())
        return vb::Variant::null();
    return vb::Variant(isTrue(a) != isTrue(b));
}

vb::Variant logicalEqv(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() || b.isNull())
        return vb::Variant::null();
    return vb::Variant(isTrue(a) == isTrue(b));
}

vb::Variant logicalImp(const vb::Variant& a, const vb::Variant& b)
{
    if (a.isNull() && b.isNull())
        return vb::Variant::null();
    if (a.isNull())
        return isTrue(b) ? vb::Variant(true) : vb::Variant::null();
    if (b.isNull())
        return isTrue(a) ? vb::Variant::null() : vb::Variant(true);
    return vb::Variant(!isTrue(a) || isTrue(b));
}

} // namespace jet::sql
