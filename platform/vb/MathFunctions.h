#pragma once

// VBA's numeric functions on Variants. Null gives Null; results keep the argument's type
// (Integer stays Integer, Currency stays Currency), text is read as a Double, Boolean and Empty
// become Integer.

#include "Variant.h"

namespace vb {

Variant Int(const Variant& number); // rounds down: Int(-8.4) = -9
Variant Fix(const Variant& number); // drops the fraction: Fix(-8.4) = -8
// Rounds half to even at `digits` decimals (Round(2.5) = 2, Round(0.125, 2) = 0.12), on the
// decimal value a Double prints as, so Round(2.675, 2) = 2.68.
Variant Round(const Variant& number, const Variant& digits = Variant(0));
Variant Abs(const Variant& number);
Variant Sgn(const Variant& number); // Integer -1, 0 or 1

// Double-valued functions; Null gives Null, arguments outside the domain raise 5
// (Sqr of a negative, Log of zero or less) and results beyond the Double range raise 6.
Variant Sqr(const Variant& number);
Variant Exp(const Variant& number);
Variant Log(const Variant& number);
Variant Atn(const Variant& number);
Variant Sin(const Variant& number);
Variant Cos(const Variant& number);
Variant Tan(const Variant& number);

// Rounds |value| on its shortest decimal form to `digits` decimals, half to even or half away
// from zero. Shared with Format, which rounds half away from zero.
double roundDecimal(double value, int digits, bool halfEven);

} // namespace vb
