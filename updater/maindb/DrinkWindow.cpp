#include "DrinkWindow.h"

#include "vb/ConversionFunctions.h"
#include "vb/DateFunctions.h"
#include "vb/Error.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace updater::maindb {

namespace {

template <typename T>
struct NewPoints
{
    T from{};
    T optimal{};
    T peak{};
    T to{};
    T end{}; // the wine's death
};

// The rule of each drink window code. Points that other points depend on are computed first.
template <typename T, typename Mid>
NewPoints<T> applyCode(int code, T f, T b, T t, Mid mid)
{
    NewPoints<T> p;
    switch (code) {
    case 1:
        p = {f, b, mid(b, t), t, t + (t - b)};
        break;
    case 2:
        p.from = f;
        p.optimal = b;
        p.to = mid(b, t);
        p.peak = mid(b, p.to);
        p.end = t;
        break;
    case 3:
        p.from = f;
        p.optimal = mid(f, b);
        p.peak = b;
        p.to = t;
        p.end = t + (t - p.optimal);
        break;
    case 4:
        p = {f, mid(f, b), b, mid(b, t), t};
        break;
    case 5:
        p.from = f;
        p.optimal = b - (t - b);
        p.peak = mid(p.optimal, b);
        p.to = b;
        p.end = t;
        break;
    case 6:
        p = {f - (t - f), f, b, t, t + (t - f)};
        break;
    case 7:
        p.to = mid(b, t);
        p.from = f - (p.to - f);
        p.optimal = f;
        p.peak = b;
        p.end = t;
        break;
    case 8:
        p = {f - (b - f), f, mid(f, b), b, t};
        break;
    default:
        throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                        QStringLiteral("There is no drinking window rule for the code %1; the "
                                       "answers of the conversion dialog give codes 1 to 8.")
                            .arg(code),
                        QStringLiteral("MainDatabaseUpdate10"));
    }
    return p;
}

constexpr int latestYear = 5000;

double julyFirst(int year)
{
    const double date = vb::DateSerial(vb::Variant(year), vb::Variant(7), vb::Variant(1)).toDate();
    if (vb::Year(vb::Variant::fromDate(date)).toLong() > latestYear)
        return julyFirst(latestYear);
    return date;
}

double nextMonth(double date)
{
    return vb::DateAdd(vb::Variant("m"), vb::Variant(1), vb::Variant::fromDate(date)).toDate();
}

// The year of any date value, also of one computed beyond the calendar's range.
int yearOf(double date)
{
    const double first = vb::DateSerial(vb::Variant(100), vb::Variant(1), vb::Variant(1)).toDate();
    const double last =
        vb::DateSerial(vb::Variant(9999), vb::Variant(12), vb::Variant(31)).toDate();
    return vb::Year(vb::Variant::fromDate(std::clamp(date, first, last))).toLong();
}

std::int16_t checkedOffset(long value, std::uint8_t code)
{
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        throw vb::Error(vb::ErrorNumber::Overflow,
                        QStringLiteral("Overflow: a drink profile's offset of %1 months (code %2) "
                                       "does not fit the profile's fields. Make the profile's "
                                       "years smaller and run the update again.")
                            .arg(value)
                            .arg(code),
                        QStringLiteral("MainDatabaseUpdate10"));
    return static_cast<std::int16_t>(value);
}

} // namespace

std::optional<int> yearOfText(const vb::Variant& text)
{
    if (text.isNull() || text.isEmpty())
        return std::nullopt;
    const QString trimmed = text.toString().trimmed();
    if (trimmed.isEmpty() || !vb::IsNumeric(vb::Variant(trimmed)).toBoolean())
        return std::nullopt;
    const double year = vb::Val(vb::Variant(trimmed)).toDouble();
    if (year != std::floor(year) || year < 1 || year > 9999)
        return std::nullopt;
    return static_cast<int>(year);
}

QString monthPoint(double date)
{
    const vb::Variant value = vb::Variant::fromDate(date);
    return QStringLiteral("%1-%2")
        .arg(vb::Year(value).toLong(), 4, 10, QLatin1Char('0'))
        .arg(vb::Month(value).toLong(), 2, 10, QLatin1Char('0'));
}

std::optional<WineWindow> convertWineWindow(std::uint8_t code, const vb::Variant& drinkFrom,
                                            const vb::Variant& optimal, const vb::Variant& drinkTo,
                                            const vb::Variant& vintage)
{
    const std::optional<int> fromYear = yearOfText(drinkFrom);
    const std::optional<int> bestYear = yearOfText(optimal);
    const std::optional<int> toYear = yearOfText(drinkTo);
    if (!fromYear || !bestYear || !toYear) {
        applyCode<double>(code, 0, 0, 0, [](double x, double) { return x; }); // checks the code
        return std::nullopt;
    }
    const double f = julyFirst(*fromYear);
    const double b = julyFirst(*bestYear);
    const double t = julyFirst(*toYear);
    const std::optional<int> vintageYear = yearOfText(vintage);
    const double v = vintageYear ? julyFirst(*vintageYear) : f;

    NewPoints<double> p =
        applyCode<double>(code, f, b, t, [](double x, double y) { return x + (y - x) / 2; });
    if (p.from < v)
        p.from = v;
    if (!(p.optimal > p.from))
        p.optimal = nextMonth(p.from);
    if (!(p.peak > p.optimal))
        p.peak = nextMonth(p.optimal);
    if (!(p.to > p.peak))
        p.to = nextMonth(p.peak);

    WineWindow window;
    window.drinkFrom = monthPoint(p.from);
    window.optimal = monthPoint(p.optimal);
    window.peak = monthPoint(p.peak);
    window.drinkTo = monthPoint(p.to);
    window.lifeSpan = static_cast<std::int16_t>(std::min(std::abs(yearOf(p.end) - yearOf(v)), 999));
    return window;
}

ProfileDeltas convertDrinkProfile(std::uint8_t code, std::int16_t deltaFrom, std::int16_t deltaBest,
                                  std::int16_t deltaTo)
{
    // Halves round to the even number, as VB's conversion to a whole number does.
    const auto mid = [](long x, long y) {
        return static_cast<long>(std::nearbyint(static_cast<double>(x) + (y - x) / 2.0));
    };
    const NewPoints<long> p = applyCode<long>(code, deltaFrom, deltaBest, deltaTo, mid);
    long from = p.from * 12;
    long best = p.optimal * 12;
    long peak = p.peak * 12;
    long to = p.to * 12;
    long lifeSpan = p.end;
    if (best <= from)
        best = from + 1;
    if (peak <= best)
        peak = best + 1;
    if (to <= peak)
        to = peak + 1;
    if (lifeSpan * 12 <= to)
        lifeSpan += 1;
    return {checkedOffset(from, code), checkedOffset(best, code), checkedOffset(peak, code),
            checkedOffset(to, code), checkedOffset(lifeSpan, code)};
}

} // namespace updater::maindb
