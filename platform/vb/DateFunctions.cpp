#include "DateFunctions.h"

#include "ArgumentHelpers.h"
#include "DateText.h"
#include "Error.h"
#include "OleDate.h"

#include <cmath>
#include <QDateTime>
#include <QLocale>
#include <QTime>

namespace vb {

namespace {

constexpr qint64 secondsPerDay = 86400;

QDate epoch()
{
    return QDate(1899, 12, 30);
}

using detail::invalidArgument;

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// A point in time as whole seconds from the epoch, counting calendar days, so that arithmetic
// works across VB's negative-date representation.
qint64 timeline(double oleDays)
{
    const QDateTime when = OleDate::toDateTime(oleDays);
    return epoch().daysTo(when.date()) * secondsPerDay + when.time().msecsSinceStartOfDay() / 1000;
}

Variant fromTimeline(qint64 seconds)
{
    const qint64 day = floorDiv(seconds, secondsPerDay);
    if (day < static_cast<qint64>(OleDate::MinDays) ||
        day > static_cast<qint64>(OleDate::MaxDays)) {
        invalidArgument();
    }
    const qint64 second = seconds - day * secondsPerDay;
    const QDate date = epoch().addDays(day);
    if (!date.isValid() || date.year() < 100 || date.year() > 9999) {
        invalidArgument();
    }
    return Variant::fromDate(
        OleDate::fromDateTime(date, QTime(0, 0).addSecs(static_cast<int>(second))));
}

Variant fromDateAndTime(QDate date, QTime time)
{
    if (!date.isValid() || date.year() < 100 || date.year() > 9999) {
        invalidArgument();
    }
    return Variant::fromDate(OleDate::fromDateTime(date, time));
}

enum class Interval
{
    Year,
    Quarter,
    Month,
    DayOfYear,
    Day,
    Weekday,
    Week,
    Hour,
    Minute,
    Second
};

Interval intervalOf(const Variant& interval)
{
    const QString name = interval.toString().trimmed().toLower();
    struct Entry
    {
        const char* name;
        Interval interval;
    };
    static constexpr Entry entries[] = {
        {"yyyy", Interval::Year},   {"q", Interval::Quarter}, {"m", Interval::Month},
        {"y", Interval::DayOfYear}, {"d", Interval::Day},     {"w", Interval::Weekday},
        {"ww", Interval::Week},     {"h", Interval::Hour},    {"n", Interval::Minute},
        {"s", Interval::Second},
    };
    for (const Entry& e : entries) {
        if (name == QLatin1String(e.name)) {
            return e.interval;
        }
    }
    invalidArgument();
}

QDate startOfWeek(QDate date, int firstDayOfWeek)
{
    return date.addDays(-(weekdayOf(date, firstDayOfWeek) - 1));
}

QDate firstWeekStart(int year, int firstDayOfWeek, int firstWeekOfYear)
{
    const QDate jan1(year, 1, 1);
    const QDate start = startOfWeek(jan1, firstDayOfWeek);
    const int daysInNewYear = 8 - weekdayOf(jan1, firstDayOfWeek);
    switch (firstWeekOfYear) {
    case 2:
        return daysInNewYear >= 4 ? start : start.addDays(7);
    case 3:
        return daysInNewYear == 7 ? start : start.addDays(7);
    default:
        return start;
    }
}

std::int16_t integer(qint64 value)
{
    return static_cast<std::int16_t>(value);
}

} // namespace

int weekdayOf(QDate date, int firstDayOfWeek)
{
    const int sundayBased = date.dayOfWeek() % 7 + 1; // Sunday 1 .. Saturday 7
    return (sundayBased - firstDayOfWeek + 7) % 7 + 1;
}

int weekOfYear(QDate date, int firstDayOfWeek, int firstWeekOfYear)
{
    QDate week1 = firstWeekStart(date.year(), firstDayOfWeek, firstWeekOfYear);
    if (date < week1) {
        week1 = firstWeekStart(date.year() - 1, firstDayOfWeek, firstWeekOfYear);
    }
    return static_cast<int>(week1.daysTo(startOfWeek(date, firstDayOfWeek)) / 7 + 1);
}

int resolveFirstDayOfWeek(const Variant& value)
{
    const std::int32_t day = value.isEmpty() ? 1 : value.toLong();
    if (day < 0 || day > 7) {
        invalidArgument();
    }
    if (day == 0) {
        return QLocale().firstDayOfWeek() % 7 + 1;
    }
    return day;
}

int resolveFirstWeekOfYear(const Variant& value)
{
    const std::int32_t week = value.isEmpty() ? 1 : value.toLong();
    if (week < 0 || week > 3) {
        invalidArgument();
    }
    return week == 0 ? 1 : week;
}

std::optional<double> wholeDateSerial(qint64 year, qint64 month, qint64 day)
{
    if (year < 100 || year > 9999) {
        return std::nullopt;
    }
    const qint64 months = year * 12 + (month - 1);
    const qint64 y = floorDiv(months, 12);
    const qint64 m = months - y * 12 + 1;
    if (y < 100 || y > 9999) {
        return std::nullopt;
    }
    // Days from 1 Mar 0000 to the first of the month (H. Hinnant's days_from_civil), then
    // from 30 Dec 1899.
    const qint64 shiftedYear = y - (m <= 2 ? 1 : 0);
    const qint64 era = shiftedYear / 400; // years from 99 on: no negative eras
    const qint64 yearOfEra = shiftedYear - era * 400;
    const qint64 dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    constexpr qint64 unixDaysOfOleEpoch = -25569;
    const qint64 date = era * 146097 + dayOfEra - 719468 - unixDaysOfOleEpoch + (day - 1);
    constexpr qint64 firstDate = -657434; // 1 Jan 100
    constexpr qint64 lastDate = 2958465;  // 31 Dec 9999
    if (date < firstDate || date > lastDate) {
        return std::nullopt;
    }
    return static_cast<double>(date);
}

Variant DateSerial(const Variant& year, const Variant& month, const Variant& day)
{
    if (year.isNull() || month.isNull() || day.isNull()) {
        return Variant::null();
    }
    qint64 y = year.toInteger();
    if (y >= 0 && y <= 99) {
        y = DateText::expandYear(static_cast<int>(y), 2);
    }
    const qint64 m = month.toInteger();
    const qint64 d = day.toInteger();
    if (const std::optional<double> date = wholeDateSerial(y, m, d)) {
        return Variant::fromDate(*date);
    }
    const qint64 months = y * 12 + (m - 1);
    const qint64 rolledYear = floorDiv(months, 12);
    const int rolledMonth = static_cast<int>(months - rolledYear * 12 + 1);
    if (rolledYear < 100 || rolledYear > 9999) {
        invalidArgument();
    }
    const QDate first(static_cast<int>(rolledYear), rolledMonth, 1);
    return fromDateAndTime(first.addDays(d - 1), QTime(0, 0));
}

Variant TimeSerial(const Variant& hour, const Variant& minute, const Variant& second)
{
    if (hour.isNull() || minute.isNull() || second.isNull()) {
        return Variant::null();
    }
    const qint64 total =
        qint64{hour.toInteger()} * 3600 + qint64{minute.toInteger()} * 60 + second.toInteger();
    return fromTimeline(total);
}

Variant DateValue(const Variant& date)
{
    if (date.isNull()) {
        return Variant::null();
    }
    return Variant::fromDate(OleDate::fromDate(OleDate::toDate(date.toDate())));
}

Variant TimeValue(const Variant& time)
{
    if (time.isNull()) {
        return Variant::null();
    }
    return Variant::fromDate(OleDate::fromTime(OleDate::toTime(time.toDate())));
}

Variant DateAdd(const Variant& interval, const Variant& number, const Variant& date)
{
    const Interval unit = intervalOf(interval);
    if (number.isNull() || date.isNull()) {
        return Variant::null();
    }
    const qint64 n = number.toLong();
    const double days = date.toDate();
    const QDateTime when = OleDate::toDateTime(days);
    switch (unit) {
    case Interval::Year:
        if (std::llabs(n) > 10000) {
            invalidArgument();
        }
        return fromDateAndTime(when.date().addYears(static_cast<int>(n)), when.time());
    case Interval::Quarter:
    case Interval::Month: {
        const qint64 months = unit == Interval::Quarter ? n * 3 : n;
        if (std::llabs(months) > 120000) {
            invalidArgument();
        }
        return fromDateAndTime(when.date().addMonths(static_cast<int>(months)), when.time());
    }
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday:
        return fromTimeline(timeline(days) + n * secondsPerDay);
    case Interval::Week:
        return fromTimeline(timeline(days) + n * 7 * secondsPerDay);
    case Interval::Hour:
        return fromTimeline(timeline(days) + n * 3600);
    case Interval::Minute:
        return fromTimeline(timeline(days) + n * 60);
    case Interval::Second:
        return fromTimeline(timeline(days) + n);
    }
    invalidArgument();
}

Variant DateDiff(const Variant& interval, const Variant& date1, const Variant& date2,
                 const Variant& firstDayOfWeek, const Variant& firstWeekOfYear)
{
    const Interval unit = intervalOf(interval);
    const int fdow = resolveFirstDayOfWeek(firstDayOfWeek);
    resolveFirstWeekOfYear(firstWeekOfYear);
    if (date1.isNull() || date2.isNull()) {
        return Variant::null();
    }
    const double from = date1.toDate();
    const double to = date2.toDate();
    const QDate d1 = OleDate::toDate(from);
    const QDate d2 = OleDate::toDate(to);
    qint64 result = 0;
    switch (unit) {
    case Interval::Year:
        result = d2.year() - d1.year();
        break;
    case Interval::Quarter:
        result = (d2.year() * 4 + (d2.month() - 1) / 3) - (d1.year() * 4 + (d1.month() - 1) / 3);
        break;
    case Interval::Month:
        result = (d2.year() * 12 + d2.month()) - (d1.year() * 12 + d1.month());
        break;
    case Interval::DayOfYear:
    case Interval::Day:
        result = d1.daysTo(d2);
        break;
    case Interval::Weekday:
        result = d1.daysTo(d2) / 7;
        break;
    case Interval::Week:
        result = startOfWeek(d1, fdow).daysTo(startOfWeek(d2, fdow)) / 7;
        break;
    case Interval::Hour:
        result = floorDiv(timeline(to), 3600) - floorDiv(timeline(from), 3600);
        break;
    case Interval::Minute:
        result = floorDiv(timeline(to), 60) - floorDiv(timeline(from), 60);
        break;
    case Interval::Second:
        result = timeline(to) - timeline(from);
        break;
    }
    return Variant(static_cast<std::int32_t>(result));
}

Variant DatePart(const Variant& interval, const Variant& date, const Variant& firstDayOfWeek,
                 const Variant& firstWeekOfYear)
{
    const Interval unit = intervalOf(interval);
    const int fdow = resolveFirstDayOfWeek(firstDayOfWeek);
    const int fwoy = resolveFirstWeekOfYear(firstWeekOfYear);
    if (date.isNull()) {
        return Variant::null();
    }
    const QDateTime when = OleDate::toDateTime(date.toDate());
    const QDate d = when.date();
    switch (unit) {
    case Interval::Year:
        return Variant(integer(d.year()));
    case Interval::Quarter:
        return Variant(integer((d.month() - 1) / 3 + 1));
    case Interval::Month:
        return Variant(integer(d.month()));
    case Interval::DayOfYear:
        return Variant(integer(d.dayOfYear()));
    case Interval::Day:
        return Variant(integer(d.day()));
    case Interval::Weekday:
        return Variant(integer(weekdayOf(d, fdow)));
    case Interval::Week:
        return Variant(integer(weekOfYear(d, fdow, fwoy)));
    case Interval::Hour:
        return Variant(integer(when.time().hour()));
    case Interval::Minute:
        return Variant(integer(when.time().minute()));
    case Interval::Second:
        return Variant(integer(when.time().second()));
    }
    invalidArgument();
}

namespace {

// One field of a date, or Null for Null.
template <typename Field>
Variant dateField(const Variant& date, Field field)
{
    if (date.isNull()) {
        return Variant::null();
    }
    const double days = date.toDate();
    return Variant(integer(field(OleDate::toDate(days), OleDate::toTime(days))));
}

} // namespace

Variant Year(const Variant& date)
{
    return dateField(date, [](QDate d, QTime) { return d.year(); });
}
Variant Month(const Variant& date)
{
    return dateField(date, [](QDate d, QTime) { return d.month(); });
}
Variant Day(const Variant& date)
{
    return dateField(date, [](QDate d, QTime) { return d.day(); });
}
Variant Hour(const Variant& date)
{
    return dateField(date, [](QDate, QTime t) { return t.hour(); });
}
Variant Minute(const Variant& date)
{
    return dateField(date, [](QDate, QTime t) { return t.minute(); });
}
Variant Second(const Variant& date)
{
    return dateField(date, [](QDate, QTime t) { return t.second(); });
}
Variant Weekday(const Variant& date, const Variant& firstDayOfWeek)
{
    return DatePart(Variant("w"), date, firstDayOfWeek);
}

Variant Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    return Variant::fromDate(
        OleDate::fromDateTime(now.date(), QTime(time.hour(), time.minute(), time.second())));
}

Variant Date()
{
    return Variant::fromDate(OleDate::fromDate(QDate::currentDate()));
}

Variant Time()
{
    const QTime time = QTime::currentTime();
    return Variant::fromDate(OleDate::fromTime(QTime(time.hour(), time.minute(), time.second())));
}

} // namespace vb

namespace vb {

Variant Timer()
{
    const int msecs = QTime::currentTime().msecsSinceStartOfDay();
    return Variant(static_cast<float>(msecs / 10) / 100.0f);
}

} // namespace vb

namespace vb {

Variant MonthName(const Variant& month, const Variant& abbreviate)
{
    const std::int32_t m = month.toLong();
    if (m < 1 || m > 12) {
        invalidArgument();
    }
    const auto format = abbreviate.toBoolean() ? QLocale::ShortFormat : QLocale::LongFormat;
    return Variant(QLocale().monthName(m, format));
}

Variant WeekdayName(const Variant& weekday, const Variant& abbreviate,
                    const Variant& firstDayOfWeek)
{
    const std::int32_t w = weekday.toLong();
    if (w < 1 || w > 7) {
        invalidArgument();
    }
    const int sundayBased = (w - 1 + resolveFirstDayOfWeek(firstDayOfWeek) - 1) % 7 + 1;
    const int qtDay = sundayBased == 1 ? 7 : sundayBased - 1; // Qt counts Monday as 1
    const auto format = abbreviate.toBoolean() ? QLocale::ShortFormat : QLocale::LongFormat;
    return Variant(QLocale().dayName(qtDay, format));
}

} // namespace vb
