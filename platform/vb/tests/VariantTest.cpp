#include "Variant.h"

#include "DateText.h"
#include "DefaultText.h"
#include "Error.h"
#include "LocaleGuard.h"
#include "OleDate.h"
#include "TimeZoneGuard.h"
#include "VbAssertions.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>

using vb::Currency;
using vb::Variant;
using vb::VarType;

namespace {

constexpr double march5th2004 = 38051.0;

Variant str(const char* text)
{
    return Variant(text);
}

} // namespace

TEST(VariantTypes, ConstructorsReportVbTypeNumbers)
{
    EXPECT_EQ(Variant().type(), VarType::Empty);
    EXPECT_EQ(Variant::null().type(), VarType::Null);
    EXPECT_EQ(Variant(true).type(), VarType::Boolean);
    EXPECT_EQ(Variant(std::uint8_t{1}).type(), VarType::Byte);
    EXPECT_EQ(Variant(std::int16_t{1}).type(), VarType::Integer);
    EXPECT_EQ(Variant(1).type(), VarType::Long);
    EXPECT_EQ(Variant(1.0f).type(), VarType::Single);
    EXPECT_EQ(Variant(1.0).type(), VarType::Double);
    EXPECT_EQ(Variant(Currency::fromRaw(1)).type(), VarType::Currency);
    EXPECT_EQ(Variant::fromDate(1.0).type(), VarType::Date);
    EXPECT_EQ(str("x").type(), VarType::String);
    EXPECT_EQ(Variant(QByteArray("x")).type(), VarType::ByteArray);
    EXPECT_EQ(static_cast<int>(VarType::ByteArray), 8209);
    EXPECT_EQ(Variant::fromError(5).type(), VarType::Error);
    EXPECT_EQ(Variant::fromInt64(3000000000LL).type(), VarType::Double);
    EXPECT_EQ(Variant::fromInt64(-5).type(), VarType::Long);
    EXPECT_EQ(Variant(static_cast<const char*>(nullptr)).toString(), QString());
}

TEST(VariantTypes, ObjectsAndErrorsKeepTheirContent)
{
    const auto object = std::make_shared<QObject>();
    const Variant reference = Variant::fromObject(object);
    EXPECT_TRUE(reference.isObject());
    EXPECT_EQ(reference.object(), object);
    EXPECT_EQ(reference, Variant::fromObject(object));
    EXPECT_FALSE(reference == Variant::fromObject(std::make_shared<QObject>()));
    EXPECT_VB_ERROR(reference.toString(), 13);
    EXPECT_VB_ERROR(Variant(1).object(), 13);
    EXPECT_EQ(Variant::fromError(2042).errorNumber(), 2042);
    EXPECT_VB_ERROR(Variant(1).errorNumber(), 13);
    // Equality is by type and value: Long 1 is not Integer 1.
    EXPECT_FALSE(Variant(1) == Variant(std::int16_t{1}));
    EXPECT_TRUE(Variant::null() == Variant::null());
    EXPECT_FALSE(Variant::null() == Variant());
}

TEST(VariantConversions, WholeNumbersRoundHalfToEven)
{
    UsLocale us;
    EXPECT_EQ(Variant(2.5).toInteger(), 2);
    EXPECT_EQ(Variant(3.5).toInteger(), 4);
    EXPECT_EQ(Variant(-2.5).toInteger(), -2);
    EXPECT_EQ(Variant(-3.5).toLong(), -4);
    EXPECT_EQ(Variant(2.5000001).toLong(), 3);
    EXPECT_EQ(Variant(0.5).toByte(), 0);
    EXPECT_EQ(Variant(1.5f).toByte(), 2);
    EXPECT_EQ(Variant(-0.5).toByte(), 0);
    EXPECT_EQ(Variant(Currency::fromRaw(25000)).toInteger(), 2);
    EXPECT_EQ(Variant(Currency::fromRaw(-35000)).toLong(), -4);
    EXPECT_EQ(Variant(Currency::fromRaw(25001)).toLong(), 3);
    EXPECT_EQ(str("2.5").toLong(), 2);
    EXPECT_EQ(Variant(true).toInteger(), -1);
}

TEST(VariantConversions, OutOfRangeRaisesOverflow)
{
    UsLocale us;
    EXPECT_EQ(Variant(32767.4).toInteger(), 32767);
    EXPECT_VB_ERROR(Variant(32767.5).toInteger(), 6);
    EXPECT_VB_ERROR(Variant(-32768.6).toInteger(), 6);
    EXPECT_VB_ERROR(Variant(255.5).toByte(), 6);
    EXPECT_VB_ERROR(Variant(-0.6).toByte(), 6);
    EXPECT_VB_ERROR(Variant(-1).toByte(), 6);
    EXPECT_VB_ERROR(Variant(2147483647.5).toLong(), 6);
    EXPECT_EQ(Variant(-2147483648.0).toLong(), INT32_MIN);
    EXPECT_VB_ERROR(Variant(1e39).toSingle(), 6);
    EXPECT_VB_ERROR(Variant(1e300).toCurrency(), 6);
    EXPECT_VB_ERROR(str("1e400").toDouble(), 6);
    EXPECT_VB_ERROR(Variant(Currency::fromRaw(INT64_MAX)).toLong(), 6);
    EXPECT_VB_ERROR(Variant::fromDate(2958466.0), 6);
    EXPECT_VB_ERROR(Variant(-657435.0).toDate(), 6);
}

TEST(VariantConversions, NullRaisesInvalidUseOfNullAndEmptyIsZero)
{
    const Variant null = Variant::null();
    EXPECT_VB_ERROR(null.toBoolean(), 94);
    EXPECT_VB_ERROR(null.toByte(), 94);
    EXPECT_VB_ERROR(null.toInteger(), 94);
    EXPECT_VB_ERROR(null.toLong(), 94);
    EXPECT_VB_ERROR(null.toSingle(), 94);
    EXPECT_VB_ERROR(null.toDouble(), 94);
    EXPECT_VB_ERROR(null.toCurrency(), 94);
    EXPECT_VB_ERROR(null.toDate(), 94);
    EXPECT_VB_ERROR(null.toString(), 94);
    EXPECT_VB_ERROR(null.toBytes(), 94);

    const Variant empty;
    EXPECT_FALSE(empty.toBoolean());
    EXPECT_EQ(empty.toInteger(), 0);
    EXPECT_EQ(empty.toDouble(), 0.0);
    EXPECT_EQ(empty.toCurrency(), Currency());
    EXPECT_EQ(empty.toDate(), 0.0);
    EXPECT_EQ(empty.toString(), QString());
    EXPECT_TRUE(empty.toBytes().isEmpty());
}

TEST(VariantConversions, StringsReadAsVbReadsNumbers)
{
    UsLocale locale;
    EXPECT_EQ(str("  12  ").toLong(), 12);
    EXPECT_EQ(str("-7").toInteger(), -7);
    EXPECT_EQ(str("7-").toInteger(), -7);
    EXPECT_EQ(str("(5)").toDouble(), -5.0);
    EXPECT_EQ(str("+.5").toDouble(), 0.5);
    EXPECT_EQ(str("1e3").toDouble(), 1000.0);
    EXPECT_EQ(str("1.5E-2").toDouble(), 0.015);
    EXPECT_EQ(str("1,234.5").toDouble(), 1234.5);
    EXPECT_EQ(str("$1,234.50").toCurrency(), Currency::fromRaw(12345000));
    EXPECT_EQ(str("&H1F").toLong(), 31);
    EXPECT_EQ(str("&HFFFF").toInteger(), -1);
    EXPECT_EQ(str("&HFFFFFFFF").toLong(), -1);
    EXPECT_EQ(str("&H10000").toLong(), 65536);
    EXPECT_EQ(str("&o17").toLong(), 15);
    EXPECT_VB_ERROR(str("&H100000000").toDouble(), 6);

    for (const char* bad :
         {"", "   ", "abc", "12abc", "1e", ".", "1.2.3", "--1", "(-1)", "&H", "&HG", "1 2", ",5"}) {
        EXPECT_VB_ERROR(str(bad).toDouble(), 13);
    }
    EXPECT_VB_ERROR(str("True").toInteger(), 13);
    EXPECT_VB_ERROR(Variant::fromError(5).toDouble(), 13);
    EXPECT_VB_ERROR(Variant::fromObject(nullptr).toLong(), 13);
}

TEST(VariantConversions, BooleansFromStringsAndNumbers)
{
    UsLocale locale;
    EXPECT_TRUE(str(" true ").toBoolean());
    EXPECT_FALSE(str("FALSE").toBoolean());
    EXPECT_TRUE(str("-1").toBoolean());
    EXPECT_TRUE(str("0.1").toBoolean());
    EXPECT_FALSE(str("0").toBoolean());
    EXPECT_TRUE(Variant(Currency::fromRaw(1)).toBoolean());
    EXPECT_TRUE(Variant(0.0001f).toBoolean());
    EXPECT_VB_ERROR(str("yes").toBoolean(), 13);
}

TEST(VariantConversions, CommaDecimalLocale)
{
    LocaleGuard locale(QLocale::German, QLocale::Germany);
    EXPECT_EQ(str("1,5").toDouble(), 1.5);
    EXPECT_EQ(str("1.234,5").toDouble(), 1234.5);
    EXPECT_EQ(str("2,5").toInteger(), 2);
    EXPECT_EQ(Variant(1.5).toString(), QStringLiteral("1,5"));
    EXPECT_EQ(Variant(1.5e-7).toString(), QStringLiteral("1,5E-07"));
    EXPECT_EQ(Variant(Currency::fromRaw(12345)).toString(), QStringLiteral("1,2345"));
    EXPECT_VB_ERROR(str("1,2,3").toDouble(), 13);
}

TEST(Currency, RoundsHalfEvenAndKeepsFullPrecision)
{
    UsLocale us;
    EXPECT_EQ(Currency::fromDouble(0.00005).raw(), 0);
    EXPECT_EQ(Currency::fromDouble(0.00015).raw(), 2);
    EXPECT_EQ(Currency::fromDouble(-1.23456).raw(), -12346);
    EXPECT_EQ(str("922337203685477.5807").toCurrency().raw(), INT64_MAX);
    EXPECT_EQ(str("-922337203685477.5808").toCurrency().raw(), INT64_MIN);
    EXPECT_VB_ERROR(str("922337203685477.5808").toCurrency(), 6);
    EXPECT_EQ(str("0.00005").toCurrency().raw(), 0);
    EXPECT_EQ(str("0.000051").toCurrency().raw(), 1);
    EXPECT_EQ(str("0.00015").toCurrency().raw(), 2);
    EXPECT_EQ(str("1.5e-3").toCurrency().raw(), 15);
    EXPECT_EQ(Currency::fromRaw(INT64_MIN).toPlainString(),
              QStringLiteral("-922337203685477.5808"));
    EXPECT_EQ(Currency::fromRaw(-1).toPlainString(), QStringLiteral("-0.0001"));
    EXPECT_EQ(Currency::fromRaw(30000).toPlainString(), QStringLiteral("3"));
    EXPECT_VB_ERROR(Currency::fromRaw(INT64_MAX) + Currency::fromRaw(1), 6);
    EXPECT_VB_ERROR(-Currency::fromRaw(INT64_MIN), 6);
    EXPECT_VB_ERROR(Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()), 6);
}

TEST(VariantText, NumbersPrintAsVbPrintsThem)
{
    UsLocale locale;
    EXPECT_EQ(Variant(0.1 + 0.2).toString(), QStringLiteral("0.3"));
    EXPECT_EQ(Variant(1.0 / 3.0).toString(), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(Variant(1e16).toString(), QStringLiteral("1E+16"));
    EXPECT_EQ(Variant(1e15).toString(), QStringLiteral("1E+15"));
    EXPECT_EQ(Variant(123456789012345.0).toString(), QStringLiteral("123456789012345"));
    EXPECT_EQ(Variant(1.5e-7).toString(), QStringLiteral("1.5E-07"));
    EXPECT_EQ(Variant(0.0001).toString(), QStringLiteral("0.0001"));
    EXPECT_EQ(Variant(-2.5e300).toString(), QStringLiteral("-2.5E+300"));
    EXPECT_EQ(Variant(-0.0).toString(), QStringLiteral("0"));
    EXPECT_EQ(Variant(0.1f).toString(), QStringLiteral("0.1"));
    EXPECT_EQ(Variant(1234567.0f).toString(), QStringLiteral("1234567"));
    EXPECT_EQ(Variant(12345678.0f).toString(), QStringLiteral("1.234568E+07"));
    EXPECT_EQ(Variant(Currency::fromRaw(-125000)).toString(), QStringLiteral("-12.5"));
    EXPECT_EQ(Variant(true).toString(), QStringLiteral("True"));
    EXPECT_EQ(Variant(false).toString(), QStringLiteral("False"));
    EXPECT_EQ(Variant(std::int16_t{-32768}).toString(), QStringLiteral("-32768"));
    EXPECT_EQ(Variant::fromError(2042).toString(), QStringLiteral("Error 2042"));
}

TEST(VariantText, DatesUseTheGeneralDateForm)
{
    {
        UsLocale locale;
        EXPECT_EQ(Variant::fromDate(march5th2004).toString(), QStringLiteral("3/5/2004"));
        EXPECT_EQ(Variant::fromDate(march5th2004 + 0.5).toString(),
                  QStringLiteral("3/5/2004 12:00:00 PM"));
        EXPECT_EQ(Variant::fromDate(0.75).toString(), QStringLiteral("6:00:00 PM"));
        // Day 0 holds a time alone, midnight too.
        EXPECT_EQ(Variant::fromDate(0.0).toString(), QStringLiteral("12:00:00 AM"));
        EXPECT_EQ(Variant::fromDate(-1.25).toString(), QStringLiteral("12/29/1899 6:00:00 AM"));
        EXPECT_EQ(Variant::fromDate(-0.25).toString(), QStringLiteral("6:00:00 AM"));
        EXPECT_EQ(Variant::fromDate(1.0 / 86400 * 3661).toString(), QStringLiteral("1:01:01 AM"));
    }
    {
        LocaleGuard locale(QLocale::English, QLocale::UnitedKingdom);
        EXPECT_EQ(Variant::fromDate(march5th2004 + 0.75).toString(),
                  QStringLiteral("05/03/2004 18:00:00"));
    }
    {
        LocaleGuard locale(QLocale::German, QLocale::Germany);
        EXPECT_EQ(Variant::fromDate(march5th2004).toString(), QStringLiteral("05.03.2004"));
    }
}

TEST(OleDate, NegativeDatesCountTheTimeForward)
{
    EXPECT_EQ(vb::OleDate::toDateTime(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC));
    EXPECT_EQ(vb::OleDate::fromDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25);
    EXPECT_EQ(vb::OleDate::fromDateTime(QDate(1899, 12, 30), QTime(6, 0)), 0.25);
    EXPECT_EQ(vb::OleDate::toDate(-657434.0), QDate(100, 1, 1));
    EXPECT_EQ(vb::OleDate::toDateTime(2958465.9999),
              QDateTime(QDate(9999, 12, 31), QTime(23, 59, 51), Qt::UTC));
    EXPECT_FALSE(vb::OleDate::toDate(2958466.0).isValid());
    EXPECT_EQ(vb::OleDate::fromDate(QDate(100, 1, 1)), -657434.0);
    EXPECT_EQ(vb::OleDate::fromDate(QDate(1800, 7, 4)), -36338.0);
    // A time that rounds up to midnight belongs to the next day, also before 1899.
    EXPECT_EQ(vb::OleDate::toDateTime(1.999999999),
              QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(vb::OleDate::toDateTime(-2.999999999),
              QDateTime(QDate(1899, 12, 29), QTime(0, 0), Qt::UTC));
}

TEST(OleDate, WallClockTimesSurviveDaylightSavingGaps)
{
    // 02:30 on 28 Mar 2004 never happened in Berlin; a stored date may still say so.
    TimeZoneGuard berlin("Europe/Berlin");
    UsLocale us;
    const double gap = vb::OleDate::fromDateTime(QDate(2004, 3, 28), QTime(2, 30));
    EXPECT_EQ(vb::OleDate::toTime(gap), QTime(2, 30));
    EXPECT_EQ(vb::OleDate::toDateTime(gap).time(), QTime(2, 30));
    EXPECT_EQ(Variant::fromDate(gap).toString(), QStringLiteral("3/28/2004 2:30:00 AM"));
    EXPECT_EQ(str("3/28/2004 2:30 AM").toDate(), gap);
}

TEST(DateText, ReadsDatesInTheLocaleOrder)
{
    UsLocale us;
    auto parse = [](const char* text) { return str(text).toDate(); };
    EXPECT_EQ(parse("3/5/2004"), march5th2004);
    EXPECT_EQ(parse("2004-03-05"), march5th2004);
    EXPECT_EQ(parse("5 March 2004"), march5th2004);
    EXPECT_EQ(parse("March 5, 2004"), march5th2004);
    EXPECT_EQ(parse("mar 5 2004"), march5th2004);
    EXPECT_EQ(parse("Friday, March 5, 2004"), march5th2004);
    EXPECT_EQ(parse("13/1/2004"), 37999.0); // not a US date: read day first
    EXPECT_EQ(parse("3/5/2004 14:30"), march5th2004 + 14.5 / 24);
    EXPECT_EQ(parse("3/5/2004 2:30 PM"), march5th2004 + 14.5 / 24);
    EXPECT_EQ(parse("2004-03-05T14:30:00"), march5th2004 + 14.5 / 24);
    EXPECT_EQ(parse("12:00 AM"), 0.0);
    EXPECT_EQ(parse("6 pm"), 0.75);
    EXPECT_EQ(parse("1/1/29"), vb::OleDate::fromDate(QDate(2029, 1, 1)));
    EXPECT_EQ(parse("1/1/30"), vb::OleDate::fromDate(QDate(1930, 1, 1)));
    EXPECT_EQ(parse("7/4/1776"), vb::OleDate::fromDate(QDate(1776, 7, 4)));
    EXPECT_EQ(parse("March 2004"), vb::OleDate::fromDate(QDate(2004, 3, 1)));
    for (const char* bad : {"2/30/2004", "31/2/2004", "25:00", "10:61", "13 PM", "hello",
                            "3/5/2004 x", "12345", "1/1/10000", "1/1/99 1:2:3:4"}) {
        EXPECT_VB_ERROR(parse(bad), 13);
    }

    LocaleGuard uk(QLocale::English, QLocale::UnitedKingdom);
    EXPECT_EQ(parse("5/3/2004"), march5th2004);
    LocaleGuard de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(parse("05.03.2004"), march5th2004);
    EXPECT_EQ(parse("5. März 2004"), march5th2004);
}

TEST(VariantBytes, ByteArraysAndStringsShareUtf16Units)
{
    const QByteArray bytes("a\0b\0", 4);
    EXPECT_EQ(Variant(bytes).toString(), QStringLiteral("ab"));
    EXPECT_EQ(str("ab").toBytes(), bytes);
    EXPECT_EQ(Variant(QString(QChar(0x20AC))).toBytes(), QByteArray("\xAC\x20", 2));
    EXPECT_EQ(Variant(QByteArray("A", 1)).toString(), QStringLiteral("A"));
    EXPECT_EQ(Variant(bytes).toBytes(), bytes);
    EXPECT_VB_ERROR(Variant(bytes).toLong(), 13);
    EXPECT_VB_ERROR(Variant(5).toBytes(), 13);
}

TEST(VbError, StandardDescriptionsAndMessage)
{
    EXPECT_EQ(vb::Error(5).description(), QStringLiteral("Invalid procedure call or argument"));
    EXPECT_EQ(vb::Error(13).description(), QStringLiteral("Type mismatch"));
    EXPECT_EQ(vb::Error(94).description(), QStringLiteral("Invalid use of Null"));
    EXPECT_EQ(vb::Error(457).description(),
              QStringLiteral("This key is already associated with an element of this collection"));
    EXPECT_EQ(vb::Error(31999).description(),
              QStringLiteral("Application-defined or object-defined error"));
    const vb::Error custom(1001, QStringLiteral("Invalid key"), QStringLiteral("clsHash"));
    EXPECT_EQ(custom.source(), QStringLiteral("clsHash"));
    EXPECT_STREQ(custom.what(), "clsHash: Invalid key (Error 1001)");
}
