#pragma once

// VB's comparison of two Variants, as its relational operators do it: numbers (and dates,
// Booleans, Currency) numerically, strings as text, a number below any string, Empty as 0
// beside a number and as "" beside a string. A Null on either side makes the result Null.

#include "Variant.h"

#include <optional>

namespace vb {

enum class CompareMethod
{
    Binary = 0, // by UTF-16 code unit, case-sensitive
    Text = 1,   // case-insensitive
};

// -1, 0 or 1; nothing when either value is Null. Raises 13 for objects, errors and arrays.
std::optional<int> compareVariants(const Variant& a, const Variant& b,
                                   CompareMethod method = CompareMethod::Binary);

} // namespace vb
