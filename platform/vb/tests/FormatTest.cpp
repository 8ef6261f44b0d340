#include "Format.h"

#include "LocaleGuard.h"
#include "OleDate.h"
#include "VbAssertions.h"

#include <gtest/gtest.h>

using namespace vb;

namespace {

QString fmt(const Variant& value, const char* pattern)
{
    return Format(value, Variant(pattern)).toString();
}

const Variant friday =
    Variant::fromDate(OleDate::fromDateTime(QDate(2004, 3, 5), QTime(14, 30, 15)));

} // namespace

TEST(FormatNumbers, PlaceholdersSeparatorsAndRounding)
{
    UsLocale us;
    EXPECT_EQ(fmt(Variant(1234.5), "#,##0.00"), "1,234.50");
    EXPECT_EQ(fmt(Variant(1234567.891), "#,##0.00"), "1,234,567.89");
    EXPECT_EQ(fmt(Variant(0.256), "0.0%"), "25.6%");
    EXPECT_EQ(fmt(Variant(5), "0.00"), "5.00");
    EXPECT_EQ(fmt(Variant(-5), "0.00"), "-5.00");
    EXPECT_EQ(fmt(Variant(0.5), "#.##"), ".5");
    EXPECT_EQ(fmt(Variant(5), "#.##"), "5.");
    EXPECT_EQ(fmt(Variant(1.5), "0.0#"), "1.5");
    EXPECT_EQ(fmt(Variant(1.256), "0.0#"), "1.26");
    EXPECT_EQ(fmt(Variant(0), "#"), "");
    EXPECT_EQ(fmt(Variant(0), "#,##0"), "0");
    EXPECT_EQ(fmt(Variant(2.5), "0"), "3"); // half away from zero, unlike Round
    EXPECT_EQ(fmt(Variant(0.125), "0.00"), "0.13");
    EXPECT_EQ(fmt(Variant(2.675), "0.00"), "2.68");
    EXPECT_EQ(fmt(Variant(99.996), "0.00"), "100.00");
    EXPECT_EQ(fmt(Variant(0.1 + 0.2), "0.000000000000000000"), "0.300000000000000000");
    EXPECT_EQ(fmt(Variant(1234567), "0,"), "1235");
    EXPECT_EQ(fmt(Variant(1234567890), "#,##0,,"), "1,235");
    EXPECT_EQ(fmt(Variant(1234), "0,000,000"), "0,001,234");
    EXPECT_EQ(fmt(Variant(123456), "00"), "123456");
    EXPECT_EQ(fmt(Variant(Currency::fromRaw(9223372036854775807)), "#,##0.0000"),
              "922,337,203,685,477.5807");
    EXPECT_EQ(fmt(Variant(true), "0"), "-1");
}

TEST(FormatNumbers, ScientificNotation)
{
    UsLocale us;
    EXPECT_EQ(fmt(Variant(1234.5), "0.00E+00"), "1.23E+03");
    EXPECT_EQ(fmt(Variant(0.000123), "0.0E-00"), "1.2E-04");
    EXPECT_EQ(fmt(Variant(123456), "0.0e+0"), "1.2e+5");
    EXPECT_EQ(fmt(Variant(123456), "0.0E-0"), "1.2E5");
    EXPECT_EQ(fmt(Variant(9.99), "0.0E+00"), "1.0E+01");
    EXPECT_EQ(fmt(Variant(0), "0.00E+00"), "0.00E+00");
    EXPECT_EQ(fmt(Variant(-1234.5), "0.00E+00"), "-1.23E+03");
    EXPECT_EQ(fmt(Variant(12345), "00.0E+0"), "12.3E+3");
    EXPECT_EQ(fmt(Variant(6000000), ".0000E+00"), ".6000E+07");
    EXPECT_EQ(fmt(Variant(0.0000123456789), "0.#####e-#"), "1.23457e-5");
}

TEST(FormatNumbers, SectionsAndLiterals)
{
    UsLocale us;
    EXPECT_EQ(fmt(Variant(-5), "0.00;(0.00)"), "(5.00)");
    EXPECT_EQ(fmt(Variant(5), "0.00;(0.00)"), "5.00");
    EXPECT_EQ(fmt(Variant(0), "0.00;(0.00);\\Z\\e\\r\\o"), "Zero");
    EXPECT_EQ(fmt(Variant(-5), "0.00;;\\Z\\e\\r\\o"), "-5.00");
    EXPECT_EQ(fmt(Variant::null(), "0;-0;\\Z;\"nothing\""), "nothing");
    EXPECT_TRUE(Format(Variant::null(), Variant("0.00")).isNull());
    EXPECT_EQ(fmt(Variant(123), "\\$0"), "$123");
    EXPECT_EQ(fmt(Variant(123), "\"Total; \"0"), "Total; 123");
    EXPECT_EQ(fmt(Variant(5), "0 \\k\\g"), "5 kg");
    EXPECT_EQ(fmt(Variant(5551234), "000-0000"), "555-1234");
    EXPECT_EQ(fmt(Variant(-1234.5), "$#,##0.00"), "-$1,234.50");
}

TEST(FormatNumbers, NamedFormats)
{
    UsLocale us;
    EXPECT_EQ(fmt(Variant(1234.5), "Standard"), "1,234.50");
    EXPECT_EQ(fmt(Variant(1234.5), "fixed"), "1234.50");
    EXPECT_EQ(fmt(Variant(0.256), "Percent"), "25.60%");
    EXPECT_EQ(fmt(Variant(1234.5), "Scientific"), "1.23E+03");
    EXPECT_EQ(fmt(Variant(1234.5), "General Number"), "1234.5");
    EXPECT_EQ(fmt(Variant(1234.5), "Currency"), "$1,234.50");
    EXPECT_EQ(fmt(Variant(0), "Yes/No"), "No");
    EXPECT_EQ(fmt(Variant(-1), "Yes/No"), "Yes");
    EXPECT_EQ(fmt(Variant(2), "True/False"), "True");
    EXPECT_EQ(fmt(Variant(0), "On/Off"), "Off");
    EXPECT_EQ(fmt(Variant("12.5"), "Fixed"), "12.50");
    EXPECT_EQ(fmt(Variant("n/a"), "Fixed"), "n/a");
    EXPECT_TRUE(Format(Variant::null(), Variant("Standard")).isNull());
}

TEST(FormatNumbers, CommaDecimalLocale)
{
    LocaleGuard german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(fmt(Variant(1234.5), "#,##0.00"), "1.234,50");
    EXPECT_EQ(fmt(Variant(0.256), "0.0%"), "25,6%");
    EXPECT_EQ(fmt(Variant("1,5"), "0.00"), "1,50");
    EXPECT_EQ(fmt(friday, "dd/mm/yyyy"), "05.03.2004");
    EXPECT_EQ(fmt(friday, "mmmm"), QStringLiteral("März"));
}

TEST(FormatDates, NamedDateFormats)
{
    UsLocale us;
    EXPECT_EQ(fmt(friday, "General Date"), "3/5/2004 2:30:15 PM");
    EXPECT_EQ(fmt(friday, "Long Date"), "Friday, March 5, 2004");
    EXPECT_EQ(fmt(friday, "Medium Date"), "05-Mar-04");
    EXPECT_EQ(fmt(friday, "Short Date"), "3/5/2004");
    EXPECT_EQ(fmt(friday, "Long Time"), "2:30:15 PM");
    EXPECT_EQ(fmt(friday, "Medium Time"), "02:30 PM");
    EXPECT_EQ(fmt(friday, "Short Time"), "14:30");
    EXPECT_EQ(fmt(Variant("2004-03-05"), "Short Date"), "3/5/2004");
    EXPECT_EQ(fmt(Variant(38051), "Short Date"), "3/5/2004");
}

TEST(FormatDates, DatePatterns)
{
    UsLocale us;
    EXPECT_EQ(fmt(friday, "yyyy-mm-dd"), "2004-03-05");
    EXPECT_EQ(fmt(friday, "dddd, mmmm d, yyyy"), "Friday, March 5, 2004");
    EXPECT_EQ(fmt(friday, "ddd dd/mm/yy"), "Fri 05/03/04");
    EXPECT_EQ(fmt(friday, "mmm"), "Mar");
    EXPECT_EQ(fmt(friday, "hh:mm:ss"), "14:30:15");
    EXPECT_EQ(fmt(friday, "HH:MM"), "14:30");
    EXPECT_EQ(fmt(friday, "YYYY-MM"), "2004-03");
    EXPECT_EQ(fmt(friday, "h:nn AM/PM"), "2:30 PM");
    EXPECT_EQ(fmt(friday, "m/d/yyyy h:mm am/pm"), "3/5/2004 2:30 pm");
    EXPECT_EQ(fmt(friday, "hA/P"), "2P");
    EXPECT_EQ(fmt(friday, "q y w ww"), "1 65 6 10");
    EXPECT_EQ(fmt(friday, "ddddd ttttt"), "3/5/2004 2:30:15 PM");
    EXPECT_EQ(fmt(friday, "c"), "3/5/2004 2:30:15 PM");
    EXPECT_EQ(fmt(friday, "\"Day\" d"), "Day 5");
    EXPECT_EQ(fmt(Variant::fromDate(0.0), "hh:nn AM/PM"), "12:00 AM");
    EXPECT_EQ(fmt(Variant::fromDate(-1.25), "yyyy-mm-dd hh:nn"), "1899-12-29 06:00");
    EXPECT_EQ(fmt(Variant::fromDate(OleDate::MinDays), "d/m/yyyy"), "1/1/100");
    EXPECT_EQ(fmt(Variant(38051), "yyyy"), "2004");
    EXPECT_EQ(fmt(Variant("March 5, 2004"), "dd.mm.yyyy"), "05.03.2004");
    EXPECT_EQ(Format(friday, Variant("w"), Variant(2)).toString(), "5");
    EXPECT_VB_ERROR(Format(Variant(1e10), Variant("yyyy")), 6);
}

TEST(FormatText, StringPlaceholders)
{
    EXPECT_EQ(fmt(Variant("abc"), ">"), "ABC");
    EXPECT_EQ(fmt(Variant("ABC"), "<"), "abc");
    EXPECT_EQ(fmt(Variant("abc"), "@@@@@"), "  abc");
    EXPECT_EQ(fmt(Variant("abc"), "!@@@@@"), "abc  ");
    EXPECT_EQ(fmt(Variant("abc"), "&&&&&"), "abc");
    EXPECT_EQ(fmt(Variant("5551234"), "@@@-@@@@"), "555-1234");
    EXPECT_EQ(fmt(Variant("abcdef"), "(@@@)"), "(abcdef)");
    EXPECT_EQ(fmt(Variant(""), "@;\"empty\""), "empty");
    EXPECT_EQ(fmt(Variant("abc"), "0.00"), "abc");
}

TEST(FormatText, NoPatternGivesDefaultText)
{
    UsLocale us;
    EXPECT_EQ(Format(Variant(12.5)).toString(), "12.5");
    EXPECT_EQ(Format(friday).toString(), "3/5/2004 2:30:15 PM");
    EXPECT_EQ(Format(Variant()).toString(), "");
    EXPECT_TRUE(Format(Variant::null()).isNull());
}
