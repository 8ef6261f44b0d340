#include "f_4DigitsYear.h"

#include "platform/vb/ConversionFunctions.h"

#include <cmath>

namespace gorvane {

namespace {

// The year's whole number, rounded half to even as VB's integer conversion does.
double wholeYear(const QString& sYear)
{
    const vb::Variant text(sYear);
    if (!vb::IsNumeric(text).toBoolean())
        return 0;
    const double value = std::nearbyint(vb::CDbl(text).toDouble());
    return std::isfinite(value) ? value : 0;
}

} // namespace

QString f_4DigitsYear(const QString& sYear)
{
    const double n = wholeYear(sYear);
    double year = 0;
    if (n <= 39)
        year = n + 2000;
    else if (n <= 99)
        year = n + 1900;
    else if (n <= 599)
        year = n + 2000;
    else if (n <= 999)
        year = n + 1000;
    else
        return sYear;
    return QString::number(year, 'f', 0);
}

} // namespace gorvane
