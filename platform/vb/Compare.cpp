#include "Compare.h"

#include "Error.h"

namespace vb {

namespace {

enum class Kind
{
    Empty,
    Number,
    Text,
};

Kind kindOf(const Variant& v)
{
    if (v.isEmpty()) {
        return Kind::Empty;
    }
    if (v.isString()) {
        return Kind::Text;
    }
    if (v.isNumber() || v.type() == VarType::Date) {
        return Kind::Number;
    }
    throw Error(ErrorNumber::TypeMismatch);
}

int sign(int value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

int compareNumbers(const Variant& a, const Variant& b)
{
    // Two Currency values compare exactly; anything else as Double.
    if (a.type() == VarType::Currency && b.type() == VarType::Currency) {
        const auto order = a.toCurrency() <=> b.toCurrency();
        return order < 0 ? -1 : order > 0 ? 1 : 0;
    }
    const double x = a.toDouble();
    const double y = b.toDouble();
    return x < y ? -1 : x > y ? 1 : 0;
}

} // namespace

std::optional<int> compareVariants(const Variant& a, const Variant& b, CompareMethod method)
{
    if (a.isNull() || b.isNull()) {
        return std::nullopt;
    }
    const Kind ka = kindOf(a);
    const Kind kb = kindOf(b);
    if (ka == Kind::Text || kb == Kind::Text) {
        if (ka == Kind::Number) {
            return -1;
        }
        if (kb == Kind::Number) {
            return 1;
        }
        const Qt::CaseSensitivity cs =
            method == CompareMethod::Text ? Qt::CaseInsensitive : Qt::CaseSensitive;
        return sign(QString::compare(a.toString(), b.toString(), cs));
    }
    if (ka == Kind::Empty && kb == Kind::Empty) {
        return 0;
    }
    return compareNumbers(a, b);
}

} // namespace vb
