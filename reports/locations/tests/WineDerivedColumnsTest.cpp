// The derived columns on their own: the combined varieties text and the stage dates, with the
// half months of an odd band width and months that roll into the neighbouring years.

#include "reports/locations/WineDerivedColumns.h"

#include "LocationsTestCellar.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace stovanic::testing {
namespace {

const QString kUnknown = u"<unknown>"_s;

// The date of one stage field, as OLE days; -1 for Null.
double stage(const std::array<vb::Variant, kStageDateCount>& dates, const QString& field)
{
    for (size_t k = 0; k < kStageDateFields.size(); ++k)
        if (kStageDateFields[k] == field)
            return dates[k].isNull() ? -1 : dates[k].toDate();
    ADD_FAILURE() << "no stage " << field.toStdString();
    return -2;
}

TEST(CombinedVarieties, ListsTheSlotsUpToTheFirstUnusedOne)
{
    EXPECT_EQ(combinedVarieties({u"Merlot"_s, u"Cabernet Franc"_s, kUnknown, u"Syrah"_s, kUnknown},
                                {u"60%"_s, u"40%"_s, u""_s, u"5%"_s, u""_s}),
              u"Merlot - 60%\r\nCabernet Franc - 40%"_s);
    EXPECT_EQ(combinedVarieties({kUnknown, u"Syrah"_s, u"Grenache"_s, kUnknown, kUnknown},
                                {u""_s, u"70%"_s, u"30%"_s, u""_s, u""_s}),
              kUnknown);
    EXPECT_EQ(combinedVarieties({u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s},
                                {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}),
              u"A - 1\r\nB - 2\r\nC - 3\r\nD - 4\r\nE - 5"_s);
    EXPECT_FALSE(hasLabel(u""_s));
    EXPECT_TRUE(hasLabel(u"labels/wine.jpg"_s));
}

TEST(StageDates, EachPointGivesItsMonthAndHalfABandEitherSide)
{
    DrinkingWindow window{u"2005"_s, u"2010-01"_s, u"2012-04"_s, u"2014-09"_s, u"2018-11"_s, 20,
                          12};
    const auto dates = stageDates(window);
    EXPECT_EQ(stage(dates, u"datHoldEndSoon"_s), oleDays(2009, 7, 1)); // January less 6 months
    EXPECT_EQ(stage(dates, u"datDrinkHoldNew"_s), oleDays(2010, 1, 1));
    EXPECT_EQ(stage(dates, u"datDrinkHold"_s), oleDays(2010, 7, 1));
    EXPECT_EQ(stage(dates, u"datDrinkHoldEndSoon"_s), oleDays(2011, 10, 1));
    EXPECT_EQ(stage(dates, u"datBestNew"_s), oleDays(2012, 4, 1));
    EXPECT_EQ(stage(dates, u"datBestLeftOfPeak"_s), oleDays(2012, 10, 1));
    EXPECT_EQ(stage(dates, u"datPeakComingUp"_s), oleDays(2014, 3, 1));
    EXPECT_EQ(stage(dates, u"datPeakPassed"_s), oleDays(2014, 9, 1));
    EXPECT_EQ(stage(dates, u"datBestRightOfPeak"_s), oleDays(2015, 3, 1));
    EXPECT_EQ(stage(dates, u"datBestEndSoon"_s), oleDays(2018, 5, 1));
    EXPECT_EQ(stage(dates, u"datDecliningNew"_s), oleDays(2018, 11, 1));
    EXPECT_EQ(stage(dates, u"datDeclining"_s), oleDays(2019, 5, 1));
    // Death: July of vintage + life span, half a band either side.
    EXPECT_EQ(stage(dates, u"datDecliningEndSoon"_s), oleDays(2025, 1, 1));
    EXPECT_EQ(stage(dates, u"datDeadNew"_s), oleDays(2025, 7, 1));
    EXPECT_EQ(stage(dates, u"datDead"_s), oleDays(2026, 1, 1));
}

TEST(StageDates, HalfMonthsOfAnOddBandRoundHalfToEven)
{
    // Half of 13 is 6.5: January + 6.5 = 7.5 -> 8, January - 6.5 = -5.5 -> -6 (June of the year
    // before); November + 6.5 = 17.5 -> 18, November - 6.5 = 4.5 -> 4.
    DrinkingWindow window{u"2005"_s, u"2010-01"_s, u"2012-04"_s, u"2014-09"_s, u"2018-11"_s, 20,
                          13};
    const auto dates = stageDates(window);
    EXPECT_EQ(stage(dates, u"datDrinkHold"_s), oleDays(2010, 8, 1));
    EXPECT_EQ(stage(dates, u"datHoldEndSoon"_s), oleDays(2009, 6, 1));
    EXPECT_EQ(stage(dates, u"datDeclining"_s), oleDays(2019, 6, 1));
    EXPECT_EQ(stage(dates, u"datBestEndSoon"_s), oleDays(2018, 4, 1));
    // July + 6.5 = 13.5 -> 14: February of the next year; July - 6.5 = 0.5 -> 0: December before.
    EXPECT_EQ(stage(dates, u"datDead"_s), oleDays(2026, 2, 1));
    EXPECT_EQ(stage(dates, u"datDecliningEndSoon"_s), oleDays(2024, 12, 1));
}

TEST(StageDates, WithoutANumericVintageTheDeathYearComesFromTheWindowsStart)
{
    for (const QString& vintage : {u""_s, u"NV"_s, u"0"_s}) {
        const auto dates =
            stageDates({vintage, u"2010-01"_s, u"2012-04"_s, u"2014-09"_s, u"2018-11"_s, 10, 12});
        EXPECT_EQ(stage(dates, u"datDeadNew"_s), oleDays(2020, 7, 1)) << vintage.toStdString();
    }
    // A window without a start and no vintage has no death dates; an empty peak has none of
    // its three either, and the other points keep theirs.
    const auto dates = stageDates({u""_s, u""_s, u"2012-04"_s, u""_s, u"2018-11"_s, 10, 12});
    EXPECT_EQ(stage(dates, u"datDeadNew"_s), -1);
    EXPECT_EQ(stage(dates, u"datPeakPassed"_s), -1);
    EXPECT_EQ(stage(dates, u"datDrinkHoldNew"_s), -1);
    EXPECT_EQ(stage(dates, u"datBestNew"_s), oleDays(2012, 4, 1));
}

} // namespace
} // namespace stovanic::testing
