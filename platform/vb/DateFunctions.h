#pragma once

// VBA's date and time functions on Variants. Dates are OLE days (see OleDate.h); arguments
// may be dates, numbers or text that CDate reads. A Null date gives Null. Intervals are VBA's:
// "yyyy" year, "q" quarter, "m" month, "y" day of year, "d" day, "w" weekday, "ww" week,
// "h" hour, "n" minute, "s" second.
//
// firstDayOfWeek: 0 the locale's, 1 Sunday (the default) .. 7 Saturday.
// firstWeekOfYear: 0 the locale's (taken as 1), 1 the week of 1 January (the default),
// 2 the first week with four days in the new year, 3 the first full week.

#include "Variant.h"

#include <optional>
#include <QDate>

namespace vb {

// Month and day outside their ranges roll into neighbouring months and years
// (DateSerial(2004, 13, 1) is 1 Jan 2005, DateSerial(2004, 3, 0) is 29 Feb 2004); years 0-29
// are 2000-2029 and 30-99 are 1930-1999.
Variant DateSerial(const Variant& year, const Variant& month, const Variant& day);
// DateSerial of whole numbers with a year from 100 to 9999, as a date serial, computed without
// Variants; nullopt where the result falls outside 100 to 9999 (VB's DateSerial then raises).
std::optional<double> wholeDateSerial(qint64 year, qint64 month, qint64 day);
// Hours, minutes and seconds outside their ranges roll over into neighbouring units and days.
Variant TimeSerial(const Variant& hour, const Variant& minute, const Variant& second);
Variant DateValue(const Variant& date);
Variant TimeValue(const Variant& time);

Variant DateAdd(const Variant& interval, const Variant& number, const Variant& date);
// Counts the interval boundaries crossed from date1 to date2 (negative when date2 is earlier).
Variant DateDiff(const Variant& interval, const Variant& date1, const Variant& date2,
                 const Variant& firstDayOfWeek = Variant(1),
                 const Variant& firstWeekOfYear = Variant(1));
Variant DatePart(const Variant& interval, const Variant& date,
                 const Variant& firstDayOfWeek = Variant(1),
                 const Variant& firstWeekOfYear = Variant(1));

Variant Year(const Variant& date);
Variant Month(const Variant& date);
Variant Day(const Variant& date);
Variant Hour(const Variant& date);
Variant Minute(const Variant& date);
Variant Second(const Variant& date);
Variant Weekday(const Variant& date, const Variant& firstDayOfWeek = Variant(1));

// Names in the locale's language; `abbreviate` gives the short form.
Variant MonthName(const Variant& month, const Variant& abbreviate = Variant(false));
Variant WeekdayName(const Variant& weekday, const Variant& abbreviate = Variant(false),
                    const Variant& firstDayOfWeek = Variant(1));

Variant Now();
Variant Date();
Variant Time();
// Seconds since midnight as a Single, with hundredths.
Variant Timer();

// Calendar helpers shared with Format. `firstDayOfWeek` and `firstWeekOfYear` are resolved
// values (1..7 and 1..3).
int weekdayOf(QDate date, int firstDayOfWeek);
int weekOfYear(QDate date, int firstDayOfWeek, int firstWeekOfYear);
// Validates a firstDayOfWeek / firstWeekOfYear argument (raises 5) and resolves 0.
int resolveFirstDayOfWeek(const Variant& value);
int resolveFirstWeekOfYear(const Variant& value);

} // namespace vb
