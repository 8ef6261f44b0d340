#include "DateFunctions.h"

#include "LocaleGuard.h"
#include "OleDate.h"
#include "VbAssertions.h"

#include <gtest/gtest.h>

using namespace vb;

namespace {

double day(int y, int m, int d)
{
    return OleDate::fromDate(QDate(y, m, d));
}

double at(int y, int m, int d, int h, int n = 0, int s = 0)
{
    return OleDate::fromDateTime(QDate(y, m, d), QTime(h, n, s));
}

Variant date(double days)
{
    return Variant::fromDate(days);
}

Variant v(int n)
{
    return Variant(n);
}

} // namespace

TEST(DateSerial, RollsMonthsAndDaysIntoNeighbours)
{
    EXPECT_EQ(DateSerial(v(2004), v(13), v(1)).toDate(), day(2005, 1, 1));
    EXPECT_EQ(DateSerial(v(2004), v(3), v(0)).toDate(), day(2004, 2, 29));
    EXPECT_EQ(DateSerial(v(2004), v(0), v(1)).toDate(), day(2003, 12, 1));
    EXPECT_EQ(DateSerial(v(2004), v(-1), v(1)).toDate(), day(2003, 11, 1));
    EXPECT_EQ(DateSerial(v(2004), v(1), v(367)).toDate(), day(2005, 1, 1));
    EXPECT_EQ(DateSerial(v(2004), v(1), v(-30)).toDate(), day(2003, 12, 1));
    EXPECT_EQ(DateSerial(v(29), v(1), v(1)).toDate(), day(2029, 1, 1));
    EXPECT_EQ(DateSerial(v(30), v(1), v(1)).toDate(), day(1930, 1, 1));
    EXPECT_EQ(DateSerial(v(99), v(13), v(1)).toDate(), day(2000, 1, 1));
    EXPECT_EQ(DateSerial(v(1899), v(12), v(29)).toDate(), -1.0);
    EXPECT_EQ(DateSerial(v(100), v(1), v(1)).toDate(), OleDate::MinDays);
    EXPECT_EQ(DateSerial(v(2004), v(3), v(5)).type(), VarType::Date);
    EXPECT_TRUE(DateSerial(Variant::null(), v(1), v(1)).isNull());
    EXPECT_VB_ERROR(DateSerial(v(10000), v(1), v(1)), 5);
    EXPECT_VB_ERROR(DateSerial(v(100), v(0), v(1)), 5);
    EXPECT_VB_ERROR(DateSerial(v(2004), v(40000), v(1)), 6);
}

TEST(DateSerial, WholeNumbersAgreeWithTheCalendar)
{
    for (const int year : {100, 101, 399, 400, 1582, 1899, 1900, 2000, 2100, 9998, 9999}) {
        for (int month = -25; month <= 26; ++month) {
            for (const int dayOfMonth : {-400, -1, 0, 1, 15, 28, 29, 30, 31, 365, 1000}) {
                // VB rolls the months over first; that month must lie in 100 to 9999 too.
                const QDate monthStart = QDate(year, 1, 1).addMonths(month - 1);
                const QDate expected = monthStart.addDays(dayOfMonth - 1);
                const std::optional<double> serial = wholeDateSerial(year, month, dayOfMonth);
                SCOPED_TRACE(testing::Message() << year << ' ' << month << ' ' << dayOfMonth);
                if (monthStart.year() < 100 || monthStart.year() > 9999 || expected.year() < 100 ||
                    expected.year() > 9999) {
                    EXPECT_FALSE(serial);
                } else {
                    ASSERT_TRUE(serial);
                    EXPECT_EQ(*serial, OleDate::fromDate(expected));
                }
            }
        }
    }
}

TEST(TimeSerial, RollsOverIntoHoursAndDays)
{
    EXPECT_DOUBLE_EQ(TimeSerial(v(12 - 6), v(-15), v(0)).toDate(), 5.75 / 24);
    EXPECT_DOUBLE_EQ(TimeSerial(v(0), v(75), v(0)).toDate(), 1.25 / 24);
    EXPECT_DOUBLE_EQ(TimeSerial(v(25), v(0), v(0)).toDate(), 1.0 + 1.0 / 24);
    // One second before midnight of day 0 is 29 Dec 1899 23:59:59.
    EXPECT_EQ(OleDate::toDateTime(TimeSerial(v(0), v(0), v(-1)).toDate()),
              QDateTime(QDate(1899, 12, 29), QTime(23, 59, 59), Qt::UTC));
    EXPECT_TRUE(TimeSerial(v(1), Variant::null(), v(0)).isNull());
}

TEST(DateAdd, ClampsMonthEndsAndCrossesTheEpoch)
{
    UsLocale us;
    EXPECT_EQ(DateAdd(Variant("m"), v(1), date(day(2004, 1, 31))).toDate(), day(2004, 2, 29));
    EXPECT_EQ(DateAdd(Variant("yyyy"), v(1), date(day(2004, 2, 29))).toDate(), day(2005, 2, 28));
    EXPECT_EQ(DateAdd(Variant("q"), v(1), date(day(2004, 11, 30))).toDate(), day(2005, 2, 28));
    EXPECT_EQ(DateAdd(Variant("m"), v(-2), date(at(2004, 3, 5, 14, 30))).toDate(),
              at(2004, 1, 5, 14, 30));
    EXPECT_EQ(DateAdd(Variant("ww"), v(2), date(day(2004, 3, 5))).toDate(), day(2004, 3, 19));
    EXPECT_EQ(DateAdd(Variant("w"), v(3), date(day(2004, 3, 5))).toDate(), day(2004, 3, 8));
    EXPECT_EQ(DateAdd(Variant("h"), v(25), date(day(2004, 3, 5))).toDate(), at(2004, 3, 6, 1));
    EXPECT_EQ(DateAdd(Variant("n"), v(-1), date(day(2004, 3, 5))).toDate(), at(2004, 3, 4, 23, 59));
    EXPECT_EQ(DateAdd(Variant("d"), v(-1), date(0.25)).toDate(), -1.25);
    EXPECT_EQ(DateAdd(Variant("s"), v(86400), date(-1.25)).toDate(), 0.25);
    EXPECT_EQ(DateAdd(Variant("D"), v(1), Variant("3/5/2004")).toDate(), day(2004, 3, 6));
    EXPECT_TRUE(DateAdd(Variant("d"), v(1), Variant::null()).isNull());
    EXPECT_VB_ERROR(DateAdd(Variant("x"), v(1), date(0)), 5);
    EXPECT_VB_ERROR(DateAdd(Variant("yyyy"), v(1), date(day(9999, 12, 31))), 5);
    EXPECT_VB_ERROR(DateAdd(Variant("d"), v(-1), date(OleDate::MinDays)), 5);
}

TEST(DateDiff, CountsBoundariesCrossed)
{
    const auto diff = [](const char* interval, double a, double b) {
        return DateDiff(Variant(interval), date(a), date(b)).toLong();
    };
    EXPECT_EQ(diff("yyyy", day(2003, 12, 31), day(2004, 1, 1)), 1);
    EXPECT_EQ(diff("q", day(2004, 3, 31), day(2004, 4, 1)), 1);
    EXPECT_EQ(diff("m", day(2004, 1, 31), day(2004, 2, 1)), 1);
    EXPECT_EQ(diff("m", day(2004, 3, 1), day(2003, 3, 31)), -12);
    EXPECT_EQ(diff("d", at(2004, 3, 5, 23), at(2004, 3, 6, 1)), 1);
    EXPECT_EQ(diff("y", day(2004, 3, 6), day(2004, 3, 5)), -1);
    EXPECT_EQ(diff("h", at(2004, 3, 5, 10, 59), at(2004, 3, 5, 11)), 1);
    EXPECT_EQ(diff("n", -1.25, 0.25), 1440);
    EXPECT_EQ(diff("s", -0.5, -1.5), -86400);
    EXPECT_EQ(diff("w", day(2004, 3, 5), day(2004, 3, 18)), 1);
    // Saturday to Sunday crosses a week boundary when weeks start on Sunday, not on Monday.
    EXPECT_EQ(diff("ww", day(2004, 3, 6), day(2004, 3, 7)), 1);
    EXPECT_EQ(DateDiff(Variant("ww"), date(day(2004, 3, 6)), date(day(2004, 3, 7)), v(2)).toLong(),
              0);
    EXPECT_TRUE(DateDiff(Variant("d"), Variant::null(), date(0)).isNull());
    EXPECT_VB_ERROR(DateDiff(Variant("d"), date(0), date(0), v(8)), 5);
}

TEST(DatePart, FieldsWeeksAndWeekdays)
{
    const Variant friday = date(at(2004, 3, 5, 14, 30, 15));
    const auto part = [&friday](const char* interval) {
        return DatePart(Variant(interval), friday).toLong();
    };
    EXPECT_EQ(part("yyyy"), 2004);
    EXPECT_EQ(part("q"), 1);
    EXPECT_EQ(part("m"), 3);
    EXPECT_EQ(part("y"), 65);
    EXPECT_EQ(part("d"), 5);
    EXPECT_EQ(part("w"), 6);
    EXPECT_EQ(part("ww"), 10);
    EXPECT_EQ(part("h"), 14);
    EXPECT_EQ(part("n"), 30);
    EXPECT_EQ(part("s"), 15);
    EXPECT_EQ(DatePart(Variant("w"), friday, v(2)).toLong(), 5);
    // Monday weeks, first week with four days: 1 Jan 2005 is in week 53 of 2004.
    EXPECT_EQ(DatePart(Variant("ww"), date(day(2005, 1, 1)), v(2), v(2)).toLong(), 53);
    EXPECT_EQ(DatePart(Variant("ww"), date(day(2005, 1, 3)), v(2), v(2)).toLong(), 1);
    // First full week: 3 Jan 2004 (a Saturday) still belongs to the last week of 2003.
    EXPECT_EQ(DatePart(Variant("ww"), date(day(2004, 1, 3)), v(1), v(3)).toLong(), 52);
    EXPECT_EQ(DatePart(Variant("ww"), date(day(2004, 1, 4)), v(1), v(3)).toLong(), 1);
    EXPECT_EQ(DatePart(Variant("ww"), date(day(2004, 1, 3))).toLong(), 1);
    EXPECT_TRUE(DatePart(Variant("d"), Variant::null()).isNull());
    EXPECT_VB_ERROR(DatePart(Variant("yy"), friday), 5);
    EXPECT_VB_ERROR(DatePart(Variant("d"), friday, v(1), v(4)), 5);
}

TEST(DateFields, ReadDatesTextAndNull)
{
    UsLocale us;
    const Variant text("3/5/2004 2:30:15 PM");
    EXPECT_EQ(Year(text), Variant(std::int16_t{2004}));
    EXPECT_EQ(Month(text).toLong(), 3);
    EXPECT_EQ(Day(text).toLong(), 5);
    EXPECT_EQ(Hour(text).toLong(), 14);
    EXPECT_EQ(Minute(text).toLong(), 30);
    EXPECT_EQ(Second(text).toLong(), 15);
    EXPECT_EQ(Weekday(text).toLong(), 6);
    EXPECT_EQ(Weekday(date(-1.0)).toLong(), 6); // 29 Dec 1899 was a Friday
    EXPECT_EQ(Year(date(-1.25)).toLong(), 1899);
    EXPECT_EQ(Hour(date(-1.25)).toLong(), 6);
    // Times round to the nearest second.
    EXPECT_EQ(Minute(date(59.6 / 86400)).toLong(), 1);
    EXPECT_EQ(Second(date(59.6 / 86400)).toLong(), 0);
    EXPECT_TRUE(Year(Variant::null()).isNull());
    EXPECT_VB_ERROR(Year(Variant("someday")), 13);
    EXPECT_EQ(DateValue(text).toDate(), day(2004, 3, 5));
    EXPECT_DOUBLE_EQ(TimeValue(text).toDate(), (14 * 3600 + 30 * 60 + 15) / 86400.0);
}

TEST(DateFields, ClockFunctionsAgreeWithEachOther)
{
    const double before = Date().toDate();
    const double now = Now().toDate();
    const double after = Date().toDate();
    EXPECT_EQ(before, std::floor(before));
    EXPECT_GE(now, before);
    EXPECT_LT(now, after + 1.0);
    const double time = Time().toDate();
    EXPECT_GE(time, 0.0);
    EXPECT_LT(time, 1.0);
    EXPECT_EQ(Now().type(), VarType::Date);
    const float seconds = Timer().toSingle();
    EXPECT_GE(seconds, 0.0f);
    EXPECT_LT(seconds, 86400.0f);
}

TEST(DateFields, MonthAndWeekdayNames)
{
    UsLocale us;
    EXPECT_EQ(MonthName(v(3)).toString(), "March");
    EXPECT_EQ(MonthName(v(3), Variant(true)).toString(), "Mar");
    EXPECT_EQ(WeekdayName(v(1)).toString(), "Sunday");
    EXPECT_EQ(WeekdayName(v(1), Variant(true), v(2)).toString(), "Mon");
    EXPECT_EQ(WeekdayName(v(7), Variant(false), v(2)).toString(), "Sunday");
    EXPECT_VB_ERROR(MonthName(v(13)), 5);
    EXPECT_VB_ERROR(WeekdayName(v(0)), 5);
}
