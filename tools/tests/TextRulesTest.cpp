// The rules that turn what the user typed into what the repairs write: four-digit years,
// drinking window months, zero padding formats, the CHANGE ALL! statement and the main folder.

#include "platform/vb/Variant.h"
#include "tools/f_4DigitsYear.h"
#include "tools/GlobalValueChange.h"
#include "tools/NormalisedMonth.h"
#include "tools/ProgramPathRepair.h"
#include "tools/ZeroPadding.h"

#include <gtest/gtest.h>
#include <QLocale>

namespace gorvane::testing {

namespace {

TEST(FourDigitsYear, WidensShortYearsByTheirRange)
{
    EXPECT_EQ(f_4DigitsYear(QStringLiteral("39")), QStringLiteral("2039"));
    EXPECT_EQ(f_4DigitsYear(QStringLiteral("40")), QStringLiteral("1940"));
    EXPECT_EQ(f_4DigitsYear(QStringLiteral("99")), QStringLiteral("1999"));
    EXPECT_EQ(f_4DigitsYear(QStringLiteral("0")), QStringLiteral("2000"));
    EXPECT_EQ(f_4DigitsYear(QStringLiteral("599")), QStringLiteral("2599"));
    EXPECT_EQ(f_4DigitsYear(QStringLiteral("650")), QStringLiteral("1650"));
    EXPECT_EQ(f_4DigitsYear(QStringLiteral("abc")), QStringLiteral("2000"));
    EXPECT_EQ(f_4DigitsYear(QString()), QStringLiteral("2000"));
    // Four digits come back exactly as typed.
    EXPECT_EQ(f_4DigitsYear(QStringLiteral("1997")), QStringLiteral("1997"));
    EXPECT_EQ(f_4DigitsYear(QStringLiteral(" 1997")), QStringLiteral(" 1997"));
}

TEST(NormalisedMonth, GivesYearHyphenTwoDigitMonth)
{
    EXPECT_EQ(NormaliseMonth(QStringLiteral("2005")), QStringLiteral("2005-07"));
    EXPECT_EQ(NormaliseMonth(QStringLiteral("06-3")), QStringLiteral("2006-03"));
    EXPECT_EQ(NormaliseMonth(QStringLiteral("1998-13")), QStringLiteral("1998-12"));
    EXPECT_EQ(NormaliseMonth(QStringLiteral("2005-")), QStringLiteral("2005-01"));
    EXPECT_EQ(NormaliseMonth(QStringLiteral("200512")), QStringLiteral("2005-12"));
    EXPECT_EQ(NormaliseMonth(QStringLiteral("2005-11")), QStringLiteral("2005-11"));
    EXPECT_EQ(NormaliseMonth(QStringLiteral("97")), QStringLiteral("1997-07"));
    // Only the first four characters before the hyphen are the year.
    EXPECT_EQ(NormaliseMonth(QStringLiteral("199812-4")), QStringLiteral("1998-04"));
}

TEST(NormalisedMonth, KeepsOddMonthsInsideTheYear)
{
    // Rounded half to even, as VB rounds to an integer.
    EXPECT_EQ(NormaliseMonth(QStringLiteral("2005-2.5")), QStringLiteral("2005-02"));
    EXPECT_EQ(NormaliseMonth(QStringLiteral("2005-0")), QStringLiteral("2005-01"));
    // A second hyphen reads as a negative month: still a month of the year, never "-3".
    EXPECT_EQ(NormaliseMonth(QStringLiteral("2005--3")), QStringLiteral("2005-01"));
    EXPECT_EQ(NormaliseMonth(QStringLiteral("2005-99999999999999999999")),
              QStringLiteral("2005-12"));
}

TEST(ZeroPadFormat, BuildsDigitsAndDecimals)
{
    EXPECT_EQ(zeroPadFormat(QStringLiteral("3"), QStringLiteral("2")), QStringLiteral("000.00"));
    EXPECT_EQ(zeroPadFormat(QStringLiteral("2"), QStringLiteral("0")), QStringLiteral("00"));
    EXPECT_EQ(zeroPadFormat(QStringLiteral("0"), QStringLiteral("0")), QString());
    EXPECT_EQ(zeroPadFormat(QStringLiteral("0"), QStringLiteral("1")), QStringLiteral(".0"));
    EXPECT_EQ(zeroPadSample(QStringLiteral("000.00"), QLatin1Char(',')), QStringLiteral("000,00"));
    // Whatever reaches the format, it never grows without bound.
    EXPECT_EQ(zeroPadFormat(QStringLiteral("99999999999"), QString()).size(), MaxPadDigits);
}

TEST(ZeroPadFormat, ReadsFieldNumbersWithEitherDecimalSign)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(localeDecimalSign(), QLatin1Char('.'));
    EXPECT_EQ(fieldNumber(vb::Variant(QStringLiteral("12.5")), QLatin1Char('.')), 12.5);
    EXPECT_EQ(fieldNumber(vb::Variant(QStringLiteral("abc")), QLatin1Char('.')), std::nullopt);
    EXPECT_EQ(fieldNumber(vb::Variant::null(), QLatin1Char('.')), std::nullopt);
    EXPECT_EQ(fieldNumber(vb::Variant(QString()), QLatin1Char('.')), std::nullopt);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(localeDecimalSign(), QLatin1Char(','));
    EXPECT_EQ(fieldNumber(vb::Variant(QStringLiteral("7,25")), QLatin1Char(',')), 7.25);
    QLocale::setDefault(before);
}

TEST(GlobalChange, MapsCaptionsToWineFields)
{
    EXPECT_EQ(globalChangeCaptions().size(), 11);
    EXPECT_EQ(wineField(QStringLiteral("From")), QStringLiteral("DrinkFrom"));
    EXPECT_EQ(wineField(QStringLiteral("Best")), QStringLiteral("Optimal"));
    EXPECT_EQ(wineField(QStringLiteral("To")), QStringLiteral("DrinkTo"));
    EXPECT_EQ(wineField(QStringLiteral("User05")), QStringLiteral("User05"));
    EXPECT_EQ(wineField(QString()), QString());
    EXPECT_TRUE(isValidVintage(QStringLiteral("1997")));
    EXPECT_FALSE(isValidVintage(QStringLiteral("97")));
    EXPECT_FALSE(isValidVintage(QStringLiteral("19a7")));
}

TEST(GlobalChange, StatementKeepsItsShapeAndQuotesValues)
{
    EXPECT_EQ(
        globalChangeStatement(QStringLiteral("Label"), QStringLiteral("a"), QStringLiteral("b")),
        QStringLiteral("UPDATE tblWines SET tblWines.Label = 'b' WHERE tblWines.Label ='a';"));
    EXPECT_EQ(globalChangeStatement(QStringLiteral("User01"), QStringLiteral("x' OR '1'='1"),
                                    QStringLiteral("O'Brien")),
              QStringLiteral("UPDATE tblWines SET tblWines.User01 = 'O''Brien' WHERE "
                             "tblWines.User01 ='x'' OR ''1''=''1';"));
}

TEST(MainFolder, IsTheProgramFolderCutBeforeTools)
{
    EXPECT_EQ(mainFolderOf(QStringLiteral("/home/ann/Quorvex/Tools/")),
              QStringLiteral("/home/ann/Quorvex"));
    EXPECT_EQ(mainFolderOf(QStringLiteral("/a/Tools/b/Tools/")), QStringLiteral("/a"));
    EXPECT_EQ(mainFolderOf(QStringLiteral("/Tools/")), QStringLiteral("/"));
    // Only a folder named exactly Tools counts.
    EXPECT_EQ(mainFolderOf(QStringLiteral("/home/ann/Quorvex/tools/")), std::nullopt);
    EXPECT_EQ(mainFolderOf(QStringLiteral("/home/ann/Toolshed/")), std::nullopt);
}

} // namespace

} // namespace gorvane::testing
