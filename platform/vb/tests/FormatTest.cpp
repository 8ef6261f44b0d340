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
    EXPECT_EQ(fmt(friday, "Long Date"), "Friday, March 05, 2004");
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

namespace {

struct FormatCase
{
    Variant value;
    const char* pattern;
    const char* expected;
};

void expectAll(std::initializer_list<FormatCase> cases)
{
    for (const FormatCase& c : cases) {
        EXPECT_EQ(fmt(c.value, c.pattern), QString::fromUtf8(c.expected))
            << c.value.toString().toStdString() << " with " << c.pattern;
    }
}

} // namespace

TEST(FormatSections, PositiveNegativeZeroAndNullSections)
{
    UsLocale us;
    const char* const fourSections = "$#,##0.00[Green];($#,##0.00)[Red];\"Zero\";\"Null\"";
    expectAll({
        {Variant(1234.5), fourSections, "$1,234.50"},
        {Variant(-1234.5), fourSections, "($1,234.50)"},
        {Variant(0), fourSections, "Zero"},
        {Variant::null(), fourSections, "Null"},
        {Variant(-5), "0;;\"Zero\"", "-5"},               // an empty section takes the first one
        {Variant(0), "0;(0);", "0"},                      // so does an empty zero section
        {Variant(5), "\"Yes\";\"No\"", "Yes"},            // a section without placeholders is shown
        {Variant(-5), "\"Yes\";\"No\"", "No"},            // instead of the number
        {Variant(-0.001), "0.00;(0.00);\"Z\"", "(0.00)"}, // the section follows the value,
        {Variant(0.001), "0.00;(0.00);\"Z\"", "0.00"},    // not its rounded text
        {Variant::null(), "0;-0;0;n\\/a", "n/a"},
    });
    EXPECT_TRUE(Format(Variant::null(), Variant("0;(0);\"Zero\"")).isNull());
}

TEST(FormatText, PlaceholdersCaseAndDirection)
{
    expectAll({
        {Variant("HELLO"), "<", "hello"},
        {Variant("This is it"), ">", "THIS IS IT"},
        {Variant("abc"), ">@@@@", " ABC"},
        {Variant("abc"), "!@@@@@", "abc  "},
        {Variant("abc"), "!&&&&&", "abc"},
        {Variant("5551234"), "(@@@) @@@-@@@@", "(   ) 555-1234"},
        {Variant("5551234"), "(&&&) &&&-&&&&", "() 555-1234"},
        {Variant(123), "@@@@@", "  123"},
        {Variant("x"), "Name: @", "Name: x"}, // letters beside placeholders are no date
        {Variant("abc"), "\\@@@@", "@abc"},
        {Variant("abc"), "\"<\"@@@\">\"", "<abc>"},
        {Variant::null(), "@;\"None\"", "None"}, // the second section is for Null and ""
        {Variant(""), "@;\"None\"", "None"},
        {Variant("abc"), "@;\"None\"", "abc"},
    });
    EXPECT_TRUE(Format(Variant::null(), Variant("@@@")).isNull());
}

TEST(FormatSections, ColoursAndFillCharactersLeaveNoText)
{
    UsLocale us;
    expectAll({
        {Variant(5), "[Red]0", "5"},
        {Variant(-5), "0;[Red]-0", "-5"},
        {Variant("abc"), "[Blue]@", "abc"},
        {friday, "[green]yyyy", "2004"},
        {Variant(5), "0*-", "5"},
        {Variant("ab"), "*x@@@@", "  ab"},
        {Variant(5), "\"*\"0", "*5"}, // quoted or escaped, an asterisk is shown
        {Variant(5), "\\*0", "*5"},
        {Variant(5), "\"[Red]\"0", "[Red]5"},
    });
}

TEST(FormatNamed, CurrencyAndEuroRoundLikeFormat)
{
    {
        UsLocale us;
        expectAll({
            {Variant(1234.5), "Currency", "$1,234.50"},
            {Variant(-1234.5), "Currency", "($1,234.50)"},
            {Variant(2.675), "Currency", "$2.68"},
            {Variant(0.125), "Currency", "$0.13"},
            {Variant(Currency::fromRaw(12345678)), "Currency", "$1,234.57"},
            {Variant("12.5"), "currency", "$12.50"},
            {Variant(1234.5), "Euro", "€1,234.50"},
        });
    }
    {
        LocaleGuard german(QLocale::German, QLocale::Germany);
        expectAll({
            {Variant(1234.5), "Currency", "1.234,50 €"},
            {Variant(1234.5), "Euro", "1.234,50 €"},
        });
    }
    {
        LocaleGuard british(QLocale::English, QLocale::UnitedKingdom);
        expectAll({
            {Variant(1234.5), "Currency", "£1,234.50"},
            {Variant(1234.5), "Euro", "€1,234.50"},
        });
    }
}

TEST(FormatNamed, LongDateShowsTwoDigitDaysAndTtttt)
{
    {
        UsLocale us;
        const Variant january27 =
            Variant::fromDate(OleDate::fromDateTime(QDate(1993, 1, 27), QTime(0, 0)));
        expectAll({
            {friday, "Long Date", "Friday, March 05, 2004"},
            {friday, "dddddd", "Friday, March 05, 2004"},
            {january27, "Long Date", "Wednesday, January 27, 1993"},
            {friday, "ttttt", "2:30:15 PM"},
            {Variant::fromDate(0.0), "ttttt", "12:00:00 AM"},
            {Variant("14:30:15"), "ttttt", "2:30:15 PM"},
        });
    }
    LocaleGuard german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(fmt(friday, "Long Date"), QStringLiteral("Freitag, 05. März 2004"));
}
