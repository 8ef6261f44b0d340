#include "DefaultText.h"

#include "OleDate.h"

#include <array>
#include <charconv>
#include <cmath>

namespace vb {

namespace {

// Windows separates the AM/PM designator with a plain blank; newer locale data uses no-break
// spaces, which would make texts differ from what users type and compare.
QString withPlainBlanks(QString pattern)
{
    pattern.replace(QChar(0x202F), QLatin1Char(' '));
    pattern.replace(QChar(0x00A0), QLatin1Char(' '));
    return pattern;
}

bool usesTwelveHourClock(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    return format.contains(QLatin1Char('A')) || format.contains(QLatin1Char('a'));
}

// Asking the locale for its patterns costs more than formatting one date, and result sets
// format whole columns of dates: keep the patterns of the locale last used.
struct DatePatterns
{
    QLocale locale;
    QString shortDate;
    QString longTime;
};

const DatePatterns& datePatterns(const QLocale& locale)
{
    thread_local DatePatterns cached{QLocale::c(), QString(), QString()};
    thread_local bool filled = false;
    if (!filled || !(cached.locale == locale)) {
        cached = {locale, DefaultText::shortDatePattern(locale),
                  DefaultText::longTimePattern(locale)};
        filled = true;
    }
    return cached;
}

} // namespace

QString DefaultText::number(double value, int significantDigits, const QLocale& locale)
{
    if (value == 0.0 || !std::isfinite(value)) {
        // VB has no text for infinities or NaN: they cannot arise from its own arithmetic.
        return value == 0.0 ? QStringLiteral("0") : QString::number(value);
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, significantDigits);
    QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data()).toUpper();
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

QString DefaultText::currency(Currency value, const QLocale& locale)
{
    QString text = value.toPlainString();
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

QString DefaultText::date(double oleDays, const QLocale& locale)
{
    const QDateTime when = OleDate::toDateTime(oleDays);
    if (!when.isValid()) {
        return number(oleDays, 15, locale);
    }
    const DatePatterns& patterns = datePatterns(locale);
    const bool midnight = when.time() == QTime(0, 0);
    const bool dayZero = when.date() == QDate(1899, 12, 30);
    // Day 0 is a time alone, midnight included ("12:00:00 AM").
    if (dayZero) {
        return locale.toString(when.time(), patterns.longTime);
    }
    if (midnight) {
        return locale.toString(when.date(), patterns.shortDate);
    }
    const QString time = locale.toString(when.time(), patterns.longTime);
    return locale.toString(when.date(), patterns.shortDate) + QLatin1Char(' ') + time;
}

QString DefaultText::shortDatePattern(const QLocale& locale)
{
    QString pattern = locale.dateFormat(QLocale::ShortFormat);
    if (!pattern.contains(QStringLiteral("yyyy"))) {
        pattern.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    }
    return withPlainBlanks(pattern);
}

QString DefaultText::longDatePattern(const QLocale& locale)
{
    const QString pattern = locale.dateFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        quoted = c == QLatin1Char('\'') ? !quoted : quoted;
        const bool loneDay = !quoted && c == QLatin1Char('d') && (i == 0 || pattern[i - 1] != c) &&
                             (i + 1 == pattern.size() || pattern[i + 1] != c);
        out += loneDay ? QStringLiteral("dd") : QString(c);
    }
    return withPlainBlanks(out);
}

QString DefaultText::longTimePattern(const QLocale& locale)
{
    const QString sep = timeSeparator(locale);
    if (usesTwelveHourClock(locale)) {
        return QStringLiteral("h") + sep + QStringLiteral("mm") + sep + QStringLiteral("ss AP");
    }
    return QStringLiteral("HH") + sep + QStringLiteral("mm") + sep + QStringLiteral("ss");
}

QString DefaultText::shortTimePattern(const QLocale& locale)
{
    return QStringLiteral("HH") + timeSeparator(locale) + QStringLiteral("mm");
}

} // namespace vb

namespace vb {

QString DefaultText::dateSeparator(const QLocale& locale)
{
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat)) {
        if (!c.isLetter()) {
            return QString(c);
        }
    }
    return QStringLiteral("/");
}

QString DefaultText::timeSeparator(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    const qsizetype minutes = format.indexOf(QLatin1Char('m'));
    if (minutes > 0 && !format[minutes - 1].isLetter()) {
        return QString(format[minutes - 1]);
    }
    return QStringLiteral(":");
}

} // namespace vb
