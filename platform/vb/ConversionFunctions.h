#pragma once

// VBA's conversion and inspection functions on Variants: CBool..CStr (Null raises 94), Val and
// Str, IsNull, IsEmpty, IsNumeric, IsDate, Nz and IIf.

#include "Variant.h"

#include <QStringView>
#include <span>

namespace vb {

Variant CBool(const Variant& value);
Variant CByte(const Variant& value);
Variant CInt(const Variant& value);
Variant CLng(const Variant& value);
Variant CSng(const Variant& value);
Variant CDbl(const Variant& value);
Variant CCur(const Variant& value);
Variant CDate(const Variant& value);
Variant CStr(const Variant& value);

// The leading number of a text as a Double: blanks, tabs and line breaks are ignored anywhere,
// '.' is always the decimal point, "&H"/"&O" read hexadecimal and octal, "E" or "D" start an
// exponent, and reading stops at the first other character. Null raises 94.
Variant Val(const Variant& text);
double valueOfText(QStringView text);

// A number's text with a leading blank for non-negative values and '.' as decimal point,
// whatever the locale. Null gives Null.
Variant Str(const Variant& number);

// A whole number in hexadecimal or octal; negative Integers show 16 bits, other negatives 32.
// Null gives Null.
Variant Hex(const Variant& number);
Variant Oct(const Variant& number);

Variant IsNull(const Variant& value);
Variant IsEmpty(const Variant& value);
// True for numbers, Booleans, Empty and text that reads as a number; False for dates and Null.
Variant IsNumeric(const Variant& value);
// True for dates and text that reads as a date or time.
Variant IsDate(const Variant& value);

// `value`, or `valueIfNull` (Empty when omitted) when it is Null.
Variant Nz(const Variant& value, const Variant& valueIfNull = Variant());
// A Null condition counts as False.
Variant IIf(const Variant& condition, const Variant& truePart, const Variant& falsePart);
// The choice at a 1-based index (rounded down); Null when the index is outside the choices.
Variant Choose(const Variant& index, std::span<const Variant> choices);
// The value after the first true condition of (condition, value) pairs; Null when none is.
// An odd number of arguments raises 5.
Variant Switch(std::span<const Variant> pairs);

} // namespace vb
