#include "ParseIsoDate.h"

#include "platform/vb/Error.h"
#include "platform/vb/OleDate.h"

#include <QDate>
#include <QTime>

namespace DatabaseHelpers {

namespace {

constexpr qsizetype dateLength = 10;     // yyyy-mm-dd
constexpr qsizetype dateTimeLength = 19; // yyyy-mm-dd hh:mm:ss

[[noreturn]] void notADate(const QString& text)
{
    throw vb::Error(vb::ErrorNumber::TypeMismatch,
                    QStringLiteral("The text \"%1\" is not a date of the form yyyy-mm-dd or "
                                   "yyyy-mm-dd hh:mm:ss.")
                        .arg(text),
                    QStringLiteral("ParseIsoDate"));
}

// The number written in characters [from, from + length), or -1 unless all are digits.
int digitsAt(const QString& text, qsizetype from, qsizetype length)
{
    int value = 0;
    for (qsizetype i = from; i < from + length; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

bool separatorAt(const QString& text, qsizetype at, char separator)
{
    return text.at(at) == QLatin1Char(separator);
}

} // namespace

vb::Variant ParseIsoDate(const QString& text)
{
    if (text.size() != dateLength && text.size() != dateTimeLength)
        notADate(text);
    if (!separatorAt(text, 4, '-') || !separatorAt(text, 7, '-'))
        notADate(text);
    const QDate date(digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2));
    if (!date.isValid() || date.year() < 100)
        notADate(text);
    QTime time(0, 0, 0);
    if (text.size() == dateTimeLength) {
        if (!separatorAt(text, 10, ' ') || !separatorAt(text, 13, ':') ||
            !separatorAt(text, 16, ':'))
            notADate(text);
        time = QTime(digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2));
        if (!time.isValid())
            notADate(text);
    }
    return vb::Variant::fromDate(vb::OleDate::fromDateTime(date, time));
}

} // namespace DatabaseHelpers
