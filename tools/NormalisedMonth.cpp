#include "NormalisedMonth.h"

#include "f_4DigitsYear.h"
#include "platform/vb/ConversionFunctions.h"

#include <cmath>

namespace gorvane {

namespace {

constexpr int MonthWithoutMonth = 7;

double roundedValue(const QString& text)
{
    return std::nearbyint(vb::valueOfText(text));
}

// Clamped before any conversion to int, so a huge or negative number cannot overflow.
int monthInRange(double month)
{
    if (!(month >= 1)) // also NaN
        return 1;
    if (month > 12)
        return 12;
    return static_cast<int>(month);
}

} // namespace

QString NormaliseMonth(const QString& yearMonth)
{
    QString yearPart;
    double month = MonthWithoutMonth;
    const qsizetype dash = yearMonth.indexOf(QLatin1Char('-'));
    if (dash >= 0) {
        month = roundedValue(yearMonth.mid(dash + 1));
        yearPart = yearMonth.left(std::min<qsizetype>(dash, 4));
    } else if (yearMonth.size() <= 4) {
        yearPart = yearMonth;
    } else {
        month = roundedValue(yearMonth.mid(4));
        yearPart = yearMonth.left(4);
    }
    if (yearPart.size() < 4)
        yearPart = f_4DigitsYear(yearPart);
    return yearPart.left(4) + QLatin1Char('-') +
           QStringLiteral("%1").arg(monthInRange(month), 2, 10, QLatin1Char('0'));
}

} // namespace gorvane
