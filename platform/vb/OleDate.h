#pragma once

// VB's Date is an OLE automation date: a double counting days since 30 Dec 1899, the fraction
// being the time of day. Dates before the epoch are negative with the time fraction still
// counting forward: -1.25 is 29 Dec 1899 06:00, not 28 Dec 18:00. The valid range is
// 1 Jan 100 to 31 Dec 9999. VB resolves times to the second, and so do these helpers.

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace vb {

class OleDate
{
public:
    static constexpr double MinDays = -657434.0; // 1 Jan 100
    static constexpr double MaxDays = 2958465.0; // 31 Dec 9999 (the whole last day is valid)

    // True when `days` is within 1 Jan 100 00:00:00 and 31 Dec 9999 23:59:59.
    static bool isValid(double days) noexcept;

    // The parts of an OLE date, the time rounded to the nearest second (a time that rounds up
    // to midnight moves to the next day). Invalid input gives a null QDate/QTime/QDateTime.
    static QDate toDate(double days);
    static QTime toTime(double days);
    // The QDateTime is in Qt::UTC so that it holds the wall-clock value unchanged by daylight
    // saving rules; use date() and time(), not conversions to epoch seconds.
    static QDateTime toDateTime(double days);

    // Whole days for the date part, the time fraction for the time part. Null parts count as
    // 30 Dec 1899 and midnight respectively.
    static double fromDate(QDate date);
    static double fromTime(QTime time);
    static double fromDateTime(QDate date, QTime time);
    // Takes the wall-clock date and time of `dateTime` as it reads in its own time zone.
    static double fromDateTime(const QDateTime& dateTime);

    // Splits into the signed whole-day number and the non-negative time fraction (0 <= f < 1).
    static double dayPart(double days) noexcept;
    static double timeFraction(double days) noexcept;
    // Joins a day number and a time fraction back into VB's representation.
    static double combine(double dayNumber, double fraction) noexcept;
};

} // namespace vb
