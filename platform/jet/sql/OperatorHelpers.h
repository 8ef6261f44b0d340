#pragma once

// Jet's operators where SQLite's differ, on VB values. registerSqlFunctions() exposes them to
// SQL as jet_concat, jet_add, ... ; the translator calls those.

#include "vb/Variant.h"

namespace jet::sql {

// a & b: Null counts as "" unless both are Null.
vb::Variant concat(const vb::Variant& a, const vb::Variant& b);
// a + b: numbers add (whole numbers stay whole), two texts concatenate, a text and a number
// add when the text is numeric (else error 13); Null when either is Null.
vb::Variant add(const vb::Variant& a, const vb::Variant& b);
// a - b and a * b: numbers (and numeric texts) only, error 13 otherwise; whole numbers stay
// whole; Null when either is Null.
vb::Variant subtract(const vb::Variant& a, const vb::Variant& b);
vb::Variant multiply(const vb::Variant& a, const vb::Variant& b);
// a / b as a Double; error 11 for a zero divisor.
vb::Variant divide(const vb::Variant& a, const vb::Variant& b);
// a \ b and a Mod b: operands rounded to whole numbers first (half to even); the quotient is
// truncated, the remainder has the sign of a; error 11 for a zero divisor.
vb::Variant intDivide(const vb::Variant& a, const vb::Variant& b);
vb::Variant modulo(const vb::Variant& a, const vb::Variant& b);
// a ^ b; error 5 for a negative base with a fractional exponent.
vb::Variant power(const vb::Variant& a, const vb::Variant& b);

// Not/And/Or/Xor/Eqv/Imp are logical in Jet SQL, never bitwise: any non-zero number is True,
// and the answer is True, False or Null (Null And False is False, Null Or True is True,
// False Imp Null and Null Imp True are True; otherwise a Null operand gives Null).
vb::Variant logicalNot(const vb::Variant& a);
vb::Variant logicalAnd(const vb::Variant& a, const vb::Variant& b);
vb::Variant logicalOr(const vb::Variant& a, const vb::Variant& b);
vb::Variant logicalXor(const vb::Variant& a, const vb::Variant& b);
vb::Variant logicalEqv(const vb::Variant& a, const vb::Variant& b);
vb::Variant logicalImp(const vb::Variant& a, const vb::Variant& b);

} // namespace jet::sql
