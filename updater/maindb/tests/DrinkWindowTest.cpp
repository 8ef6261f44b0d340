// The drinking window rules of update 10 on wines and drink profiles.

#include "updater/maindb/DrinkWindow.h"

#include "vb/Error.h"

#include <gtest/gtest.h>

namespace {

using updater::maindb::convertDrinkProfile;
using updater::maindb::convertWineWindow;
using updater::maindb::WineWindow;

WineWindow convert(std::uint8_t code, const char* from, const char* best, const char* to,
                   const vb::Variant& vintage)
{
    const std::optional<WineWindow> window =
        convertWineWindow(code, vb::Variant(from), vb::Variant(best), vb::Variant(to), vintage);
    if (!window)
        throw std::runtime_error("no window");
    return *window;
}

void expectPoints(const WineWindow& window, const char* from, const char* optimal, const char* peak,
                  const char* to, int lifeSpan)
{
    EXPECT_EQ(window.drinkFrom, QLatin1String(from));
    EXPECT_EQ(window.optimal, QLatin1String(optimal));
    EXPECT_EQ(window.peak, QLatin1String(peak));
    EXPECT_EQ(window.drinkTo, QLatin1String(to));
    EXPECT_EQ(window.lifeSpan, lifeSpan);
}

TEST(WineWindow, EachCodeReadsTheOldYearsItsOwnWay)
{
    const vb::Variant vintage("1998");
    // E = To + (To - Best) = 2012.
    expectPoints(convert(1, "2000", "2004", "2008", vintage), "2000-07", "2004-07", "2006-07",
                 "2008-07", 14);
    // To' = mid(2004, 2008); Peak' = mid(2004, To'); the end is the old To.
    expectPoints(convert(2, "2000", "2004", "2008", vintage), "2000-07", "2004-07", "2005-07",
                 "2006-07", 10);
    // Optimal' = mid(From, Best) = 2002; E = To + (To - Optimal') = 2014.
    expectPoints(convert(3, "2000", "2004", "2008", vintage), "2000-07", "2002-07", "2004-07",
                 "2008-07", 16);
    // Optimal' = Best - (To - Best) = 2000, not after From', so one month later.
    expectPoints(convert(5, "2000", "2004", "2008", vintage), "2000-07", "2000-08", "2002-07",
                 "2004-07", 10);
    // From' = From - (To - From) = 1992 is before the vintage, so it becomes the vintage.
    expectPoints(convert(6, "2000", "2004", "2008", vintage), "1998-07", "2000-07", "2004-07",
                 "2008-07", 18);
    // From' = From - (Best - From) = 1996, moved to the vintage; Peak' = mid(From, Best).
    expectPoints(convert(8, "2000", "2004", "2008", vintage), "1998-07", "2000-07", "2002-07",
                 "2004-07", 10);
}

TEST(WineWindow, YearsAboveFiveThousandCountAsFiveThousand)
{
    for (std::uint8_t code = 1; code <= 8; ++code) {
        const WineWindow open = convert(code, "2000", "2004", "9999", vb::Variant("1998"));
        const WineWindow capped = convert(code, "2000", "2004", "5000", vb::Variant("1998"));
        EXPECT_EQ(open.drinkFrom, capped.drinkFrom) << int(code);
        EXPECT_EQ(open.optimal, capped.optimal) << int(code);
        EXPECT_EQ(open.peak, capped.peak) << int(code);
        EXPECT_EQ(open.drinkTo, capped.drinkTo) << int(code);
        EXPECT_EQ(open.lifeSpan, capped.lifeSpan) << int(code);
    }
    const WineWindow window = convert(1, "2000", "2004", "9999", vb::Variant("1998"));
    EXPECT_EQ(window.drinkTo, QStringLiteral("5000-07"));
    EXPECT_EQ(window.lifeSpan, 999); // 7996 - 1998, at most 999
}

TEST(WineWindow, EqualYearsGivePointsOneMonthApart)
{
    expectPoints(convert(1, "2004", "2004", "2004", vb::Variant("1998")), "2004-07", "2004-08",
                 "2004-09", "2004-10", 6);
}

TEST(WineWindow, WithoutAVintageTheFromYearTakesItsPlace)
{
    // From' = 1996 is before V = From = 2000; life span from 2000 to E = 2016.
    expectPoints(convert(6, "2000", "2004", "2008", vb::Variant("")), "2000-07", "2000-08",
                 "2004-07", "2008-07", 16);
    expectPoints(convert(6, "2000", "2004", "2008", vb::Variant::null()), "2000-07", "2000-08",
                 "2004-07", "2008-07", 16);
    // A vintage that is not a year counts as none.
    expectPoints(convert(6, "2000", "2004", "2008", vb::Variant("NV")), "2000-07", "2000-08",
                 "2004-07", "2008-07", 16);
}

TEST(WineWindow, OldFieldsThatAreNotYearsGiveNoWindow)
{
    const vb::Variant vintage("1998");
    EXPECT_FALSE(convertWineWindow(1, vb::Variant::null(), vb::Variant::null(), vb::Variant::null(),
                                   vintage));
    EXPECT_FALSE(convertWineWindow(1, vb::Variant(""), vb::Variant(""), vb::Variant(""), vintage));
    EXPECT_FALSE(convertWineWindow(1, vb::Variant("2000"), vb::Variant::null(), vb::Variant("2008"),
                                   vintage));
    EXPECT_FALSE(convertWineWindow(1, vb::Variant("soon"), vb::Variant("2004"), vb::Variant("2008"),
                                   vintage));
    EXPECT_FALSE(convertWineWindow(1, vb::Variant("2000"), vb::Variant("2004.5"),
                                   vb::Variant("2008"), vintage));
    EXPECT_FALSE(
        convertWineWindow(1, vb::Variant("0"), vb::Variant("2004"), vb::Variant("2008"), vintage));
}

TEST(WineWindow, AnUnknownCodeIsAnError)
{
    try {
        convert(0, "2000", "2004", "2008", vb::Variant("1998"));
        FAIL() << "code 0 was accepted";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::InvalidProcedureCall);
    }
    EXPECT_THROW(
        convertWineWindow(9, vb::Variant(""), vb::Variant(""), vb::Variant(""), vb::Variant("")),
        vb::Error);
}

TEST(DrinkProfile, OffsetsBecomeMonths)
{
    const auto deltas = convertDrinkProfile(1, 2, 5, 9);
    EXPECT_EQ(deltas.deltaFrom, 24);
    EXPECT_EQ(deltas.deltaBest, 60);
    EXPECT_EQ(deltas.deltaPeak, 84);
    EXPECT_EQ(deltas.deltaTo, 108);
    EXPECT_EQ(deltas.lifeSpan, 13);
}

TEST(DrinkProfile, HalvesRoundToTheEvenNumber)
{
    EXPECT_EQ(convertDrinkProfile(1, 2, 5, 8).deltaPeak, 6 * 12); // mid(5, 8) = 6.5
    EXPECT_EQ(convertDrinkProfile(1, 2, 4, 7).deltaPeak, 6 * 12); // mid(4, 7) = 5.5
    EXPECT_EQ(convertDrinkProfile(2, 2, 4, 9).deltaTo, 6 * 12);   // mid(4, 9) = 6.5
}

TEST(DrinkProfile, OffsetsAreKeptInOrderAndTheLifeSpanBeyondThem)
{
    const auto deltas = convertDrinkProfile(1, 5, 5, 5);
    EXPECT_EQ(deltas.deltaFrom, 60);
    EXPECT_EQ(deltas.deltaBest, 61);
    EXPECT_EQ(deltas.deltaPeak, 62);
    EXPECT_EQ(deltas.deltaTo, 63);
    EXPECT_EQ(deltas.lifeSpan, 6); // 5 years would end before DeltaTo'
}

TEST(DrinkProfile, OffsetsTooLargeForTheFieldsAreAnOverflow)
{
    try {
        convertDrinkProfile(1, 2, 5, 3000);
        FAIL() << "no overflow";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::Overflow);
    }
}

} // namespace
