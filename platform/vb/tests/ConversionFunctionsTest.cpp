#include "ConversionFunctions.h"

#include "LocaleGuard.h"
#include "VbAssertions.h"

#include <gtest/gtest.h>

using namespace vb;

TEST(ConversionFunctions, ValReadsTheLeadingNumber)
{
    LocaleGuard german(QLocale::German, QLocale::Germany); // Val ignores the locale
    EXPECT_EQ(Val(Variant("  1 2 3abc")).toDouble(), 123.0);
    EXPECT_EQ(Val(Variant("&H1F")).toDouble(), 31.0);
    EXPECT_EQ(Val(Variant("&HFFFF")).toDouble(), -1.0);
    EXPECT_EQ(Val(Variant("&HFFFFFFFF")).toDouble(), -1.0);
    EXPECT_EQ(Val(Variant("&H10000")).toDouble(), 65536.0);
    EXPECT_EQ(Val(Variant("&O17")).toDouble(), 15.0);
    EXPECT_EQ(Val(Variant("1e3")).toDouble(), 1000.0);
    EXPECT_EQ(Val(Variant("1.5D2")).toDouble(), 150.0);
    EXPECT_EQ(Val(Variant("1e")).toDouble(), 1.0);
    EXPECT_EQ(Val(Variant("2.5.7")).toDouble(), 2.5);
    EXPECT_EQ(Val(Variant(" - 4 .5")).toDouble(), -4.5);
    EXPECT_EQ(Val(Variant("1,5")).toDouble(), 1.0);
    EXPECT_EQ(Val(Variant(".5x")).toDouble(), 0.5);
    EXPECT_EQ(Val(Variant("abc")).toDouble(), 0.0);
    EXPECT_EQ(Val(Variant("")).toDouble(), 0.0);
    EXPECT_EQ(Val(Variant("1e-400")).toDouble(), 0.0);
    EXPECT_EQ(Val(Variant("12")).type(), VarType::Double);
    EXPECT_VB_ERROR(Val(Variant("1e400")), 6);
    EXPECT_VB_ERROR(Val(Variant::null()), 94);
}

TEST(ConversionFunctions, StrHasALeadingBlankAndAPoint)
{
    LocaleGuard german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(Str(Variant(123)).toString(), " 123");
    EXPECT_EQ(Str(Variant(-123)).toString(), "-123");
    EXPECT_EQ(Str(Variant(1.5)).toString(), " 1.5");
    EXPECT_EQ(Str(Variant(0)).toString(), " 0");
    EXPECT_EQ(Str(Variant(0.1f)).toString(), " 0.1");
    EXPECT_EQ(Str(Variant(Currency::fromRaw(-5))).toString(), "-0.0005");
    EXPECT_TRUE(Str(Variant::null()).isNull());
    EXPECT_VB_ERROR(Str(Variant("abc")), 13);
}

TEST(ConversionFunctions, CastsReturnTypedValues)
{
    UsLocale us;
    EXPECT_EQ(CInt(Variant(2.5)), Variant(std::int16_t{2}));
    EXPECT_EQ(CInt(Variant(3.5)), Variant(std::int16_t{4}));
    EXPECT_EQ(CLng(Variant("1,000")), Variant(1000));
    EXPECT_EQ(CByte(Variant(255)), Variant(std::uint8_t{255}));
    EXPECT_EQ(CDbl(Variant("1.25")), Variant(1.25));
    EXPECT_EQ(CSng(Variant(0.5)), Variant(0.5f));
    EXPECT_EQ(CBool(Variant("False")), Variant(false));
    EXPECT_EQ(CCur(Variant(1.23456)), Variant(Currency::fromRaw(12346)));
    EXPECT_EQ(CDate(Variant("2004-03-05")), Variant::fromDate(38051.0));
    EXPECT_EQ(CStr(Variant(true)), Variant("True"));
    EXPECT_VB_ERROR(CInt(Variant(40000)), 6);
    EXPECT_VB_ERROR(CLng(Variant::null()), 94);
    EXPECT_VB_ERROR(CStr(Variant::null()), 94);
    EXPECT_VB_ERROR(CDate(Variant("not a date")), 13);
}

TEST(ConversionFunctions, WholeNumbersInTextReadTheSameInEveryLocale)
{
    for (const auto& [language, territory] : {std::pair{QLocale::English, QLocale::UnitedStates},
                                              std::pair{QLocale::German, QLocale::Germany},
                                              std::pair{QLocale::French, QLocale::France}}) {
        LocaleGuard locale(language, territory);
        EXPECT_EQ(CLng(Variant(" 2015 ")), Variant(2015));
        EXPECT_EQ(CLng(Variant("-0042")), Variant(-42));
        EXPECT_EQ(CLng(Variant("+7")), Variant(7));
        EXPECT_EQ(CDbl(Variant("000")), Variant(0.0));
        EXPECT_EQ(CDbl(Variant("12345678901234567890")), Variant(12345678901234567890.0));
        EXPECT_VB_ERROR(CLng(Variant("-")), 13);
        EXPECT_VB_ERROR(CLng(Variant("+-3")), 13);
        EXPECT_VB_ERROR(CLng(Variant("3000000000")), 6);
    }
    // Group separators still follow the locale.
    LocaleGuard german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(CLng(Variant("1.000")), Variant(1000));
}

TEST(ConversionFunctions, InspectionFunctions)
{
    UsLocale us;
    EXPECT_TRUE(IsNumeric(Variant(" 12 ")).toBoolean());
    EXPECT_TRUE(IsNumeric(Variant("1e5")).toBoolean());
    EXPECT_TRUE(IsNumeric(Variant("&HFF")).toBoolean());
    EXPECT_TRUE(IsNumeric(Variant("$1,000.50")).toBoolean());
    EXPECT_TRUE(IsNumeric(Variant()).toBoolean());
    EXPECT_TRUE(IsNumeric(Variant(true)).toBoolean());
    EXPECT_FALSE(IsNumeric(Variant("")).toBoolean());
    EXPECT_FALSE(IsNumeric(Variant("12a")).toBoolean());
    EXPECT_FALSE(IsNumeric(Variant("&H123456789")).toBoolean());
    EXPECT_FALSE(IsNumeric(Variant::null()).toBoolean());
    EXPECT_FALSE(IsNumeric(Variant::fromDate(1.0)).toBoolean());

    EXPECT_TRUE(IsDate(Variant("March 5, 2004")).toBoolean());
    EXPECT_TRUE(IsDate(Variant("14:30")).toBoolean());
    EXPECT_TRUE(IsDate(Variant::fromDate(1.0)).toBoolean());
    EXPECT_FALSE(IsDate(Variant("2/30/2004")).toBoolean());
    EXPECT_FALSE(IsDate(Variant(38051)).toBoolean());
    EXPECT_FALSE(IsDate(Variant::null()).toBoolean());

    EXPECT_TRUE(IsNull(Variant::null()).toBoolean());
    EXPECT_FALSE(IsNull(Variant()).toBoolean());
    EXPECT_TRUE(IsEmpty(Variant()).toBoolean());
}

TEST(ConversionFunctions, NzAndIIf)
{
    EXPECT_EQ(Nz(Variant::null(), Variant(0)), Variant(0));
    EXPECT_EQ(Nz(Variant("x"), Variant(0)), Variant("x"));
    EXPECT_TRUE(Nz(Variant::null()).isEmpty());
    EXPECT_EQ(IIf(Variant(true), Variant("y"), Variant("n")), Variant("y"));
    EXPECT_EQ(IIf(Variant(0), Variant("y"), Variant("n")), Variant("n"));
    EXPECT_EQ(IIf(Variant::null(), Variant("y"), Variant("n")), Variant("n"));
    EXPECT_EQ(IIf(Variant("-1"), Variant("y"), Variant("n")), Variant("y"));
    EXPECT_VB_ERROR(IIf(Variant("maybe"), Variant("y"), Variant("n")), 13);
}

TEST(ConversionFunctions, HexAndOctShowTheTypesBits)
{
    EXPECT_EQ(Hex(Variant(255)).toString(), "FF");
    EXPECT_EQ(Hex(Variant(std::int16_t{-1})).toString(), "FFFF");
    EXPECT_EQ(Hex(Variant(-1)).toString(), "FFFFFFFF");
    EXPECT_EQ(Hex(Variant(15.5)).toString(), "10");
    EXPECT_EQ(Oct(Variant(8)).toString(), "10");
    EXPECT_EQ(Hex(Variant()).toString(), "0");
    EXPECT_TRUE(Hex(Variant::null()).isNull());
    EXPECT_VB_ERROR(Hex(Variant(1e10)), 6);
}

TEST(ConversionFunctions, ChooseAndSwitch)
{
    const Variant choices[] = {Variant("a"), Variant("b"), Variant("c")};
    EXPECT_EQ(Choose(Variant(2), choices), Variant("b"));
    EXPECT_EQ(Choose(Variant(2.9), choices), Variant("b"));
    EXPECT_TRUE(Choose(Variant(0), choices).isNull());
    EXPECT_TRUE(Choose(Variant(4), choices).isNull());
    EXPECT_TRUE(Choose(Variant::null(), choices).isNull());
    const Variant pairs[] = {Variant(false), Variant(1),    Variant::null(),
                             Variant(2),     Variant(true), Variant(3)};
    EXPECT_EQ(Switch(pairs), Variant(3));
    EXPECT_TRUE(Switch(std::span(pairs).first(4)).isNull());
    EXPECT_VB_ERROR(Switch(std::span(pairs).first(3)), 5);
}
