#include "DateLiteral.h"

#include "vb/OleDate.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

namespace jet::sql {
namespace {

int fullYear(const QString& digits)
{
    const int year = digits.toInt();
    if (digits.size() > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<QDate> parseDatePart(const QString& text)
{
    static const QRegularExpression mdy(QStringLiteral(R"(^(\d{1,2})[/-](\d{1,2})[/-](\d{1,4})$)"));
    static const QRegularExpression ymd(QStringLiteral(R"(^(\d{3,4})[/-](\d{1,2})[/-](\d{1,2})$)"));
    if (const auto m = ymd.match(text); m.hasMatch()) {
        const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        return date.isValid() ? std::optional(date) : std::nullopt;
    }
    if (const auto m = mdy.match(text); m.hasMatch()) {
        const QDate date(fullYear(m.captured(3)), m.captured(1).toInt(), m.captured(2).toInt());
        return date.isValid() ? std::optional(date) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<QTime> parseTimePart(const QString& text)
{
    static const QRegularExpression time(
        QStringLiteral(R"(^(\d{1,2})(?::(\d{1,2}))?(?::(\d{1,2}))?\s*([AaPp][Mm])?$)"));
    const auto m = time.match(text);
    // A bare number is not a time: "12" alone needs AM/PM to mean an hour.
    if (!m.hasMatch() || (!m.hasCaptured(2) && !m.hasCaptured(4)))
        return std::nullopt;
    int hour = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    const int second = m.captured(3).toInt();
    if (m.hasCaptured(4)) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        const bool pm = m.captured(4).toUpper() == u"PM";
        hour = hour % 12 + (pm ? 12 : 0);
    }
    const QTime result(hour, minute, second);
    return result.isValid() ? std::optional(result) : std::nullopt;
}

} // namespace

std::optional<double> parseDateLiteral(const QString& text)
{
    const QString trimmed = text.simplified();
    if (trimmed.isEmpty())
        return std::nullopt;
    const qsizetype space = trimmed.indexOf(u' ');
    const QString first = space < 0 ? trimmed : trimmed.left(space);
    const QString rest = space < 0 ? QString() : trimmed.mid(space + 1);

    if (const auto date = parseDatePart(first)) {
        if (rest.isEmpty())
            return vb::OleDate::fromDate(*date);
        const auto time = parseTimePart(rest);
        if (!time)
            return std::nullopt;
        return vb::OleDate::fromDateTime(*date, *time);
    }
    if (const auto time = parseTimePart(trimmed))
        return vb::OleDate::fromTime(*time);
    return std::nullopt;
}

} // namespace jet::sql
