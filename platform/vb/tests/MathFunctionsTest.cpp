#include "MathFunctions.h"

#include "LocaleGuard.h"
#include "VbAssertions.h"

#include <gtest/gtest.h>

using namespace vb;

TEST(MathFunctions, IntAndFixDifferBelowZero)
{
    UsLocale us;
    EXPECT_EQ(Int(Variant(8.7)), Variant(8.0));
    EXPECT_EQ(Int(Variant(-8.4)), Variant(-9.0));
    EXPECT_EQ(Fix(Variant(-8.4)), Variant(-8.0));
    EXPECT_EQ(Int(Variant(std::int16_t{7})), Variant(std::int16_t{7}));
    EXPECT_EQ(Int(Variant(-2.5f)), Variant(-3.0f));
    EXPECT_EQ(Int(Variant(Currency::fromRaw(-15000))), Variant(Currency::fromRaw(-20000)));
    EXPECT_EQ(Fix(Variant(Currency::fromRaw(-15000))), Variant(Currency::fromRaw(-10000)));
    EXPECT_EQ(Int(Variant("-1.5")), Variant(-2.0));
    EXPECT_EQ(Int(Variant(true)), Variant(std::int16_t{-1}));
    EXPECT_EQ(Int(Variant()), Variant(std::int16_t{0}));
    EXPECT_TRUE(Int(Variant::null()).isNull());
    EXPECT_TRUE(Fix(Variant::null()).isNull());
    EXPECT_VB_ERROR(Int(Variant("x")), 13);
    // The Currency range ends before the next whole unit below its minimum.
    EXPECT_VB_ERROR(Int(Variant(Currency::fromRaw(INT64_MIN))), 6);
    EXPECT_VB_ERROR(Round(Variant(Currency::fromRaw(INT64_MAX))), 6);
}

TEST(MathFunctions, RoundIsBankersOnTheDecimalValue)
{
    UsLocale us;
    EXPECT_EQ(Round(Variant(2.5)), Variant(2.0));
    EXPECT_EQ(Round(Variant(3.5)), Variant(4.0));
    EXPECT_EQ(Round(Variant(-2.5)), Variant(-2.0));
    EXPECT_EQ(Round(Variant(2.51)), Variant(3.0));
    EXPECT_EQ(Round(Variant(0.125), Variant(2)), Variant(0.12));
    EXPECT_EQ(Round(Variant(0.135), Variant(2)), Variant(0.14));
    EXPECT_EQ(Round(Variant(2.675), Variant(2)), Variant(2.68));
    EXPECT_EQ(Round(Variant(1.005), Variant(2)), Variant(1.0));
    EXPECT_EQ(Round(Variant(9.995), Variant(2)), Variant(10.0));
    EXPECT_EQ(Round(Variant(123.456), Variant(5)), Variant(123.456));
    EXPECT_EQ(Round(Variant(0.0004), Variant(2)), Variant(0.0));
    EXPECT_EQ(Round(Variant(1e20)), Variant(1e20));
    EXPECT_EQ(Round(Variant(Currency::fromRaw(25000))), Variant(Currency::fromRaw(20000)));
    EXPECT_EQ(Round(Variant(Currency::fromRaw(12350)), Variant(2)),
              Variant(Currency::fromRaw(12400)));
    EXPECT_EQ(Round(Variant(std::int16_t{5}), Variant(1)), Variant(std::int16_t{5}));
    EXPECT_EQ(Round(Variant("2.5")), Variant(2.0));
    EXPECT_TRUE(Round(Variant::null()).isNull());
    EXPECT_VB_ERROR(Round(Variant(1.5), Variant(-1)), 5);
    EXPECT_VB_ERROR(Round(Variant(1.5), Variant::null()), 94);
}

TEST(MathFunctions, AbsAndSgnKeepTypesAndCatchOverflow)
{
    UsLocale us;
    EXPECT_EQ(Abs(Variant(-3)), Variant(3));
    EXPECT_EQ(Abs(Variant(std::int16_t{-3})), Variant(std::int16_t{3}));
    EXPECT_EQ(Abs(Variant(-1.5)), Variant(1.5));
    EXPECT_EQ(Abs(Variant(Currency::fromRaw(-7))), Variant(Currency::fromRaw(7)));
    EXPECT_EQ(Abs(Variant("-2")), Variant(2.0));
    EXPECT_TRUE(Abs(Variant::null()).isNull());
    EXPECT_VB_ERROR(Abs(Variant(std::int16_t{-32768})), 6);
    EXPECT_VB_ERROR(Abs(Variant(INT32_MIN)), 6);
    EXPECT_VB_ERROR(Abs(Variant(Currency::fromRaw(INT64_MIN))), 6);
    EXPECT_EQ(Sgn(Variant(-0.001)), Variant(std::int16_t{-1}));
    EXPECT_EQ(Sgn(Variant(0)), Variant(std::int16_t{0}));
    EXPECT_EQ(Sgn(Variant("5")), Variant(std::int16_t{1}));
    EXPECT_EQ(Sgn(Variant(Currency::fromRaw(1))), Variant(std::int16_t{1}));
    EXPECT_TRUE(Sgn(Variant::null()).isNull());
}

TEST(MathFunctions, RealFunctionsCheckTheirDomain)
{
    EXPECT_EQ(Sqr(Variant(16)), Variant(4.0));
    EXPECT_DOUBLE_EQ(Log(Exp(Variant(2))).toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(Atn(Variant(1)).toDouble() * 4, 3.141592653589793);
    EXPECT_TRUE(Sin(Variant::null()).isNull());
    EXPECT_VB_ERROR(Sqr(Variant(-1)), 5);
    EXPECT_VB_ERROR(Log(Variant(0)), 5);
    EXPECT_VB_ERROR(Exp(Variant(1000)), 6);
}
