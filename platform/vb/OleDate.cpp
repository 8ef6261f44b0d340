#include "OleDate.h"

#include <cmath>

namespace vb {

namespace {

constexpr double secondsPerDay = 86400.0;

QDate epoch()
{
    return QDate(1899, 12, 30);
}

// The calendar day and the second of that day that `days` stands for, rounded to the second.
struct DaySecond
{
    qint64 day;
    int second;
};

DaySecond split(double days)
{
    qint64 day = static_cast<qint64>(OleDate::dayPart(days));
    auto second = static_cast<int>(std::llround(OleDate::timeFraction(days) * secondsPerDay));
    if (second >= static_cast<int>(secondsPerDay)) {
        second = 0;
        ++day;
    }
    return {day, second};
}

} // namespace

bool OleDate::isValid(double days) noexcept
{
    return std::isfinite(days) && days > MinDays - 1.0 && days < MaxDays + 1.0;
}

double OleDate::dayPart(double days) noexcept
{
    return std::trunc(days);
}

double OleDate::timeFraction(double days) noexcept
{
    return std::fabs(days - std::trunc(days));
}

double OleDate::combine(double dayNumber, double fraction) noexcept
{
    return dayNumber < 0 ? dayNumber - fraction : dayNumber + fraction;
}

QDate OleDate::toDate(double days)
{
    if (!isValid(days)) {
        return {};
    }
    return epoch().addDays(split(days).day);
}

QTime OleDate::toTime(double days)
{
    if (!isValid(days)) {
        return {};
    }
    return QTime(0, 0).addSecs(split(days).second);
}

QDateTime OleDate::toDateTime(double days)
{
    if (!isValid(days)) {
        return {};
    }
    const DaySecond parts = split(days);
    // UTC carries the wall-clock value as it is: in local time, a time skipped by a daylight
    // saving change (02:30 on a spring-forward day) would make the QDateTime invalid.
    return QDateTime(epoch().addDays(parts.day), QTime(0, 0).addSecs(parts.second), Qt::UTC);
}

double OleDate::fromDate(QDate date)
{
    return date.isValid() ? static_cast<double>(epoch().daysTo(date)) : 0.0;
}

double OleDate::fromTime(QTime time)
{
    return time.isValid() ? time.msecsSinceStartOfDay() / (secondsPerDay * 1000.0) : 0.0;
}

double OleDate::fromDateTime(QDate date, QTime time)
{
    return combine(fromDate(date), fromTime(time));
}

double OleDate::fromDateTime(const QDateTime& dateTime)
{
    return fromDateTime(dateTime.date(), dateTime.time());
}

} // namespace vb
