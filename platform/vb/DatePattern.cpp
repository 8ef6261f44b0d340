#include "DatePattern.h"

#include "DateFunctions.h"
#include "DefaultText.h"
#include "Error.h"
#include "FormatSections.h"
#include "OleDate.h"

#include <algorithm>
#include <QDateTime>
#include <vector>

namespace vb {

namespace {

struct Token
{
    enum Kind
    {
        Literal,
        DateSeparator,
        TimeSeparator,
        General,
        Day,
        Weekday,
        Week,
        Month,
        Minute,
        Quarter,
        DayOfYear,
        Year,
        Hour,
        Second,
        LongTime,
        AmPm
    } kind;
    int width = 1;
    QString text; // literal text, or the AM/PM spelling
};

struct PatternChar
{
    QChar c;
    bool literal;
};

int runLength(const std::vector<PatternChar>& chars, std::size_t from)
{
    const QChar lower = chars[from].c.toLower();
    std::size_t end = from;
    while (end < chars.size() && !chars[end].literal && chars[end].c.toLower() == lower) {
        ++end;
    }
    return static_cast<int>(end - from);
}

// AM/PM markers at `from`: "AM/PM", "A/P" (either case) or "AMPM"; 0 when there is none.
int amPmLength(const std::vector<PatternChar>& chars, std::size_t from)
{
    QString ahead;
    for (std::size_t i = from; i < chars.size() && i < from + 5 && !chars[i].literal; ++i) {
        ahead += chars[i].c.toLower();
    }
    if (ahead.startsWith(QLatin1String("am/pm"))) {
        return 5;
    }
    if (ahead.startsWith(QLatin1String("ampm"))) {
        return 4;
    }
    if (ahead.startsWith(QLatin1String("a/p"))) {
        return 3;
    }
    return 0;
}

std::vector<Token> tokenize(QStringView section)
{
    std::vector<PatternChar> chars;
    forEachPatternChar(section, [&chars](QChar c, bool literal) { chars.push_back({c, literal}); });

    std::vector<Token> tokens;
    for (std::size_t i = 0; i < chars.size();) {
        const auto [c, literal] = chars[i];
        if (literal) {
            tokens.push_back({Token::Literal, 1, QString(c)});
            ++i;
            continue;
        }
        if (const int n = amPmLength(chars, i); n > 0) {
            QString spelling;
            for (std::size_t k = i; k < i + static_cast<std::size_t>(n); ++k) {
                spelling += chars[k].c;
            }
            tokens.push_back({Token::AmPm, n, spelling});
            i += static_cast<std::size_t>(n);
            continue;
        }
        const int run = runLength(chars, i);
        int used = run;
        switch (c.toLower().unicode()) {
        case 'd':
            used = std::min(run, 6);
            tokens.push_back({Token::Day, used, {}});
            break;
        case 'w':
            used = std::min(run, 2);
            tokens.push_back({used == 1 ? Token::Weekday : Token::Week, used, {}});
            break;
        case 'm':
            used = std::min(run, 4);
            tokens.push_back({Token::Month, used, {}});
            break;
        case 'q':
            used = 1;
            tokens.push_back({Token::Quarter, 1, {}});
            break;
        case 'y':
            used = run >= 4 ? 4 : run >= 2 ? 2 : 1; // "yyy" is "yy" then "y"
            tokens.push_back(used == 1 ? Token{Token::DayOfYear, 1, {}}
                                       : Token{Token::Year, used, {}});
            break;
        case 'h':
            used = std::min(run, 2);
            tokens.push_back({Token::Hour, used, {}});
            break;
        case 'n':
            used = std::min(run, 2);
            tokens.push_back({Token::Minute, used, {}});
            break;
        case 's':
            used = std::min(run, 2);
            tokens.push_back({Token::Second, used, {}});
            break;
        case 'c':
            used = 1;
            tokens.push_back({Token::General, 1, {}});
            break;
        case 't':
            if (run >= 5) {
                used = 5;
                tokens.push_back({Token::LongTime, 5, {}});
            } else {
                used = 1;
                tokens.push_back({Token::Literal, 1, QString(c)});
            }
            break;
        case '/':
            used = 1;
            tokens.push_back({Token::DateSeparator, 1, {}});
            break;
        case ':':
            used = 1;
            tokens.push_back({Token::TimeSeparator, 1, {}});
            break;
        default:
            used = 1;
            tokens.push_back({Token::Literal, 1, QString(c)});
            break;
        }
        i += static_cast<std::size_t>(used);
    }
    return tokens;
}

bool isField(const Token& t)
{
    return t.kind != Token::Literal && t.kind != Token::DateSeparator &&
           t.kind != Token::TimeSeparator;
}

// "m" and "mm" right after an hour or right before seconds mean minutes.
void resolveMinutes(std::vector<Token>& tokens)
{
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != Token::Month || tokens[i].width > 2) {
            continue;
        }
        std::size_t before = i;
        while (before > 0 && !isField(tokens[before - 1])) {
            --before;
        }
        std::size_t after = i + 1;
        while (after < tokens.size() && !isField(tokens[after])) {
            ++after;
        }
        const bool afterHour = before > 0 && tokens[before - 1].kind == Token::Hour;
        const bool beforeSecond = after < tokens.size() && tokens[after].kind == Token::Second;
        if (afterHour || beforeSecond) {
            tokens[i].kind = Token::Minute;
        }
    }
}

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

QString amPmText(const Token& t, bool pm, const QLocale& locale)
{
    if (t.width == 4) {
        return pm ? locale.pmText() : locale.amText();
    }
    const qsizetype slash = t.text.indexOf(QLatin1Char('/'));
    return pm ? t.text.mid(slash + 1) : t.text.left(slash);
}

} // namespace

QString DatePattern::format(QStringView section, double oleDays, int firstDayOfWeek,
                            int firstWeekOfYear, const QLocale& locale)
{
    const QDateTime when = OleDate::toDateTime(oleDays);
    if (!when.isValid()) {
        throw Error(ErrorNumber::Overflow);
    }
    const QDate date = when.date();
    const QTime time = when.time();
    std::vector<Token> tokens = tokenize(section);
    resolveMinutes(tokens);
    const bool twelveHour = std::any_of(tokens.begin(), tokens.end(),
                                        [](const Token& t) { return t.kind == Token::AmPm; });
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const int hour = twelveHour ? hour12 : time.hour();

    QString text;
    for (const Token& t : tokens) {
        switch (t.kind) {
        case Token::Literal:
            text += t.text;
            break;
        case Token::DateSeparator:
            text += DefaultText::dateSeparator(locale);
            break;
        case Token::TimeSeparator:
            text += DefaultText::timeSeparator(locale);
            break;
        case Token::General:
            text += DefaultText::date(oleDays, locale);
            break;
        case Token::Day:
            switch (t.width) {
            case 1:
                text += QString::number(date.day());
                break;
            case 2:
                text += twoDigits(date.day());
                break;
            case 3:
                text += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
                break;
            case 4:
                text += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
                break;
            case 5:
                text += locale.toString(date, DefaultText::shortDatePattern(locale));
                break;
            default:
                text += locale.toString(date, DefaultText::longDatePattern(locale));
                break;
            }
            break;
        case Token::Weekday:
            text += QString::number(weekdayOf(date, firstDayOfWeek));
            break;
        case Token::Week:
            text += QString::number(weekOfYear(date, firstDayOfWeek, firstWeekOfYear));
            break;
        case Token::Month:
            switch (t.width) {
            case 1:
                text += QString::number(date.month());
                break;
            case 2:
                text += twoDigits(date.month());
                break;
            case 3:
                text += locale.monthName(date.month(), QLocale::ShortFormat);
                break;
            default:
                text += locale.monthName(date.month(), QLocale::LongFormat);
                break;
            }
            break;
        case Token::Minute:
            text += t.width == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
            break;
        case Token::Quarter:
            text += QString::number((date.month() - 1) / 3 + 1);
            break;
        case Token::DayOfYear:
            text += QString::number(date.dayOfYear());
            break;
        case Token::Year:
            text += t.width == 2 ? twoDigits(date.year() % 100) : QString::number(date.year());
            break;
        case Token::Hour:
            text += t.width == 1 ? QString::number(hour) : twoDigits(hour);
            break;
        case Token::Second:
            text += t.width == 1 ? QString::number(time.second()) : twoDigits(time.second());
            break;
        case Token::LongTime:
            text += locale.toString(time, DefaultText::longTimePattern(locale));
            break;
        case Token::AmPm:
            text += amPmText(t, time.hour() >= 12, locale);
            break;
        }
    }
    return text;
}

} // namespace vb
