// The combined varieties text, the label flag and the stage dates of a wine.

#include "reports/locations/WineDerivedColumns.h"

#include "platform/vb/ConversionFunctions.h"
#include "platform/vb/DateFunctions.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace stovanic {

const std::array<QString, kStageDateCount> kStageDateFields{u"datDead"_s,
                                                            u"datDeadNew"_s,
                                                            u"datDecliningEndSoon"_s,
                                                            u"datDeclining"_s,
                                                            u"datDecliningNew"_s,
                                                            u"datBestEndSoon"_s,
                                                            u"datBestRightOfPeak"_s,
                                                            u"datPeakPassed"_s,
                                                            u"datPeakComingUp"_s,
                                                            u"datBestLeftOfPeak"_s,
                                                            u"datBestNew"_s,
                                                            u"datDrinkHoldEndSoon"_s,
                                                            u"datDrinkHold"_s,
                                                            u"datDrinkHoldNew"_s,
                                                            u"datHoldEndSoon"_s};

namespace {

constexpr int kDeathMonth = 7;

// A point's year and month, as numbers VB would read from its text.
struct YearMonth
{
    double year = 0;
    double month = 0;
};

std::optional<double> number(const QString& text)
{
    bool read = false;
    const double value = text.trimmed().toDouble(&read);
    return read ? std::optional<double>(value) : std::nullopt;
}

// A "YYYY-MM" point: year = its first four characters, month = its last two.
std::optional<YearMonth> readPoint(const QString& point)
{
    const auto year = number(point.left(4));
    const auto month = number(point.right(2));
    if (point.size() < 6 || !year || !month)
        return std::nullopt;
    return YearMonth{*year, *month};
}

// Month + half a band, the month, month - half a band. Year and month go to DateSerial as
// Doubles, so a half month is rounded there exactly as in the updater's stage dates.
void threeDates(std::optional<YearMonth> point, double halfBand,
                std::array<vb::Variant, kStageDateCount>& dates, int first)
{
    if (!point)
        return;
    const vb::Variant year(point->year);
    const double months[3]{point->month + halfBand, point->month, point->month - halfBand};
    for (int k = 0; k < 3; ++k)
        dates[first + k] = vb::DateSerial(year, vb::Variant(months[k]), vb::Variant(1));
}

} // namespace

QString combinedVarieties(const std::array<QString, 5>& varieties,
                          const std::array<QString, 5>& shares)
{
    if (varieties[0] == kUnknownVariety)
        return kUnknownVariety;
    QString text = varieties[0] + u" - "_s + shares[0];
    for (size_t slot = 1; slot < varieties.size() && varieties[slot] != kUnknownVariety; ++slot)
        text += u"\r\n"_s + varieties[slot] + u" - "_s + shares[slot];
    return text;
}

bool hasLabel(const QString& wineLabelPointer)
{
    return !wineLabelPointer.isEmpty();
}

std::array<vb::Variant, kStageDateCount> stageDates(const DrinkingWindow& window)
{
    std::array<vb::Variant, kStageDateCount> dates;
    dates.fill(vb::Variant::null());
    const double halfBand = window.periodBandwidth / 2.0;

    // The death year: the vintage when it reads as a number other than 0, else the year the
    // window opens; then the life span on top.
    const double vintage = vb::Val(vb::Variant(window.vintage)).toDouble();
    const std::optional<double> year =
        vintage != 0 ? std::optional<double>(vintage) : number(window.drinkFrom.left(4));
    std::optional<YearMonth> death;
    if (year)
        death = YearMonth{*year + window.lifeSpan, kDeathMonth};

    threeDates(death, halfBand, dates, 0);
    threeDates(readPoint(window.drinkTo), halfBand, dates, 3);
    threeDates(readPoint(window.peak), halfBand, dates, 6);
    threeDates(readPoint(window.optimal), halfBand, dates, 9);
    threeDates(readPoint(window.drinkFrom), halfBand, dates, 12);
    return dates;
}

} // namespace stovanic
