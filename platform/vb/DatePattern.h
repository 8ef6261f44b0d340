#pragma once

// One date/time Format section laid out for a date: d dd ddd dddd ddddd (short date) dddddd
// (long date), w ww, m mm mmm mmmm (m and mm after an hour or before seconds are minutes), q,
// y yy yyyy, h hh n nn s ss, ttttt (long time), c (general date), AM/PM am/pm A/P a/p AMPM,
// '/' and ':' as the locale's date and time separators; other characters are literal.

#include <QLocale>
#include <QString>
#include <QStringView>

namespace vb {

class DatePattern
{
public:
    // `firstDayOfWeek` 1..7 (Sunday first), `firstWeekOfYear` 1..3, as for DatePart.
    static QString format(QStringView section, double oleDays, int firstDayOfWeek,
                          int firstWeekOfYear, const QLocale& locale = QLocale());
};

} // namespace vb
