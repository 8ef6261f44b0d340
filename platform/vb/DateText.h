#pragma once

// How CDate and IsDate read a date or time written as text: numbers in the locale's date order
// ("3/5/2004" is 5 March in the United States, 3 May in Britain), ISO order when the year comes
// first ("2004-03-05"), month names in the locale's language or English ("5 March 2004",
// "Mar 5, 2004"), times with ':' and an optional AM/PM ("14:30", "2:30:15 PM"), or both.
// Two-digit years 0-29 are 2000-2029 and 30-99 are 1930-1999. A date without a year is in the
// current year; a time alone is on 30 Dec 1899 (day 0).

#include <optional>
#include <QLocale>
#include <QStringView>

namespace vb {

class DateText
{
public:
    // OLE days, or nothing when the text is not a valid date or time.
    static std::optional<double> parse(QStringView text, const QLocale& locale = QLocale());

    // The year VB reads for a year written with `digitCount` digits (windowing two-digit years).
    static int expandYear(int year, int digitCount);
};

} // namespace vb
