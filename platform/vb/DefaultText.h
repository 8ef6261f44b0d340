#pragma once

// VB's default text forms (what CStr and Print give) for numbers, Currency and dates, in the
// conventions of a locale: its decimal separator, its short date with a four-digit year and its
// long time with seconds.

#include "Currency.h"

#include <QLocale>
#include <QString>

namespace vb {

class DefaultText
{
public:
    // Up to `significantDigits` digits (15 for Double, 7 for Single), trailing zeros dropped,
    // scientific ("1E+16", "1.5E-07") when the decimal exponent is below -4 or reaches the
    // number of digits.
    static QString number(double value, int significantDigits, const QLocale& locale = QLocale());
    // Up to four decimals, never scientific.
    static QString currency(Currency value, const QLocale& locale = QLocale());
    // General date: date only at midnight, time only on day 0 (30 Dec 1899), else both.
    static QString date(double oleDays, const QLocale& locale = QLocale());

    // The locale's short date as a QLocale pattern, with a four-digit year.
    static QString shortDatePattern(const QLocale& locale = QLocale());
    // The locale's long date as a QLocale pattern, with the day in two digits as the system's
    // long date shows it ("Friday, March 05, 2004").
    static QString longDatePattern(const QLocale& locale = QLocale());
    // The locale's long time as a QLocale pattern: hours, minutes and seconds, with AM/PM where
    // the locale uses a 12-hour clock.
    static QString longTimePattern(const QLocale& locale = QLocale());
    // The locale's short time: 24-hour hours and minutes ("14:30"), as VB's "Short Time".
    static QString shortTimePattern(const QLocale& locale = QLocale());
    // The separators of the locale's short date and short time ("/" and ":" in the US).
    static QString dateSeparator(const QLocale& locale = QLocale());
    static QString timeSeparator(const QLocale& locale = QLocale());
};

} // namespace vb
