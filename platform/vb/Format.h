#pragma once

// VBA's Format: a value laid out by a named format ("Standard", "Short Date", "Yes/No", ...) or
// by a pattern of up to four ';'-separated sections (positive; negative; zero; Null) with
// number, date/time or text placeholders. Text the locale decides (separators, names, AM/PM)
// comes from the default QLocale.

#include "Variant.h"

namespace vb {

// Null gives Null unless the pattern has a fourth section. Text that is not a number or date
// comes back unchanged under a number or date pattern.
Variant Format(const Variant& expression, const Variant& format = Variant(),
               const Variant& firstDayOfWeek = Variant(1),
               const Variant& firstWeekOfYear = Variant(1));

} // namespace vb
