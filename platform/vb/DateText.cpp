#include "DateText.h"

#include "OleDate.h"

#include <array>
#include <QDate>
#include <QTime>
#include <vector>

namespace vb {

namespace {

struct Token
{
    enum Kind
    {
        Number,
        Word,
        Colon
    } kind;
    QString text;
    int value = 0;
};

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.') ||
           c == QLatin1Char(',') || c.isSpace() || c == QChar(0x202F);
}

std::optional<std::vector<Token>> tokenize(QStringView text)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c.isDigit()) {
            qsizetype end = i;
            while (end < text.size() && text[end].isDigit()) {
                ++end;
            }
            if (end - i > 4) {
                return std::nullopt;
            }
            const QString digits = text.mid(i, end - i).toString();
            tokens.push_back({Token::Number, digits, digits.toInt()});
            i = end;
        } else if (c.isLetter()) {
            qsizetype end = i;
            while (end < text.size() && text[end].isLetter()) {
                ++end;
            }
            // ISO 8601 joins date and time with a 'T' ("2004-03-05T14:30:00").
            const bool isoJoin = end - i == 1 && c.toLower() == QLatin1Char('t') && i > 0 &&
                                 text[i - 1].isDigit() && end < text.size() && text[end].isDigit();
            if (!isoJoin) {
                tokens.push_back({Token::Word, text.mid(i, end - i).toString().toLower(), 0});
            }
            i = end;
        } else if (c == QLatin1Char(':')) {
            tokens.push_back({Token::Colon, QStringLiteral(":"), 0});
            ++i;
        } else if (isSeparator(c)) {
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

// 1..12 for a month name or its abbreviation in the locale's language or English, else 0.
int monthFromName(const QString& word, const QLocale& locale)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (int month = 1; month <= 12; ++month) {
        for (const QLocale* l : {&locale, &english}) {
            if (word == l->monthName(month, QLocale::LongFormat).toLower() ||
                word ==
                    l->monthName(month, QLocale::ShortFormat).toLower().remove(QLatin1Char('.')) ||
                word == l->standaloneMonthName(month, QLocale::LongFormat).toLower()) {
                return month;
            }
        }
    }
    return 0;
}

bool isDayName(const QString& word, const QLocale& locale)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (int day = 1; day <= 7; ++day) {
        for (const QLocale* l : {&locale, &english}) {
            if (word == l->dayName(day, QLocale::LongFormat).toLower() ||
                word == l->dayName(day, QLocale::ShortFormat).toLower().remove(QLatin1Char('.'))) {
                return true;
            }
        }
    }
    return false;
}

// +1 for PM, -1 for AM, 0 for neither.
int meridiem(const QString& word, const QLocale& locale)
{
    if (word == QLatin1String("pm") || word == QLatin1String("p") ||
        word == locale.pmText().toLower()) {
        return 1;
    }
    if (word == QLatin1String("am") || word == QLatin1String("a") ||
        word == locale.amText().toLower()) {
        return -1;
    }
    return 0;
}

struct TimeOfDay
{
    bool present = false;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int meridiem = 0;
};

// Takes "h:m[:s]" (or "h" followed by AM/PM) out of the tokens.
bool extractTime(std::vector<Token>& tokens, const QLocale& locale, TimeOfDay& time)
{
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != Token::Number) {
            continue;
        }
        std::size_t end = i + 1;
        std::vector<int> parts{tokens[i].value};
        while (end + 1 < tokens.size() && tokens[end].kind == Token::Colon &&
               tokens[end + 1].kind == Token::Number && parts.size() < 3) {
            parts.push_back(tokens[end + 1].value);
            end += 2;
        }
        int ampm = 0;
        if (end < tokens.size() && tokens[end].kind == Token::Word) {
            ampm = meridiem(tokens[end].text, locale);
        }
        if (parts.size() == 1 && ampm == 0) {
            continue;
        }
        if (time.present) {
            return false;
        }
        time = {true, parts[0], parts.size() > 1 ? parts[1] : 0, parts.size() > 2 ? parts[2] : 0,
                ampm};
        if (ampm != 0) {
            ++end;
        }
        tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i),
                     tokens.begin() + static_cast<std::ptrdiff_t>(end));
        --i;
    }
    for (const Token& t : tokens) {
        if (t.kind == Token::Colon) {
            return false;
        }
    }
    return true;
}

std::optional<QTime> makeTime(const TimeOfDay& t)
{
    int hour = t.hour;
    if (t.meridiem != 0) {
        if (hour < 0 || hour > 12) {
            return std::nullopt;
        }
        hour = (hour % 12) + (t.meridiem > 0 ? 12 : 0);
    }
    if (hour > 23 || t.minute > 59 || t.second > 59) {
        return std::nullopt;
    }
    return QTime(hour, t.minute, t.second);
}

// The order of day, month and year in the locale's short date, e.g. "MDY".
QString localeOrder(const QLocale& locale)
{
    QString order;
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat)) {
        const QChar key = c == QLatin1Char('d')   ? QLatin1Char('D')
                          : c == QLatin1Char('M') ? QLatin1Char('M')
                          : c == QLatin1Char('y') ? QLatin1Char('Y')
                                                  : QChar();
        if (!key.isNull() && !order.contains(key)) {
            order += key;
        }
    }
    return order.size() == 3 ? order : QStringLiteral("MDY");
}

std::optional<QDate> makeDate(int year, int yearDigits, int month, int day)
{
    const int fullYear = DateText::expandYear(year, yearDigits);
    const QDate date(fullYear, month, day);
    if (!date.isValid() || fullYear < 100 || fullYear > 9999) {
        return std::nullopt;
    }
    return date;
}

bool looksLikeYear(const Token& t)
{
    return t.text.size() >= 3 || t.value > 31;
}

std::optional<QDate> dateFromThree(const std::array<Token, 3>& n, const QLocale& locale)
{
    std::vector<QString> orders;
    if (looksLikeYear(n[0])) {
        orders = {QStringLiteral("YMD"), QStringLiteral("YDM")};
    } else {
        orders = {localeOrder(locale), QStringLiteral("MDY"), QStringLiteral("DMY"),
                  QStringLiteral("YMD")};
    }
    for (const QString& order : orders) {
        int year = 0, digits = 0, month = 0, day = 0;
        for (int i = 0; i < 3; ++i) {
            if (order[i] == QLatin1Char('Y')) {
                year = n[i].value;
                digits = static_cast<int>(n[i].text.size());
            } else if (order[i] == QLatin1Char('M')) {
                month = n[i].value;
            } else {
                day = n[i].value;
            }
        }
        if (auto date = makeDate(year, digits, month, day)) {
            return date;
        }
    }
    return std::nullopt;
}

std::optional<QDate> dateFromTwo(const Token& a, const Token& b, const QLocale& locale)
{
    // Month and year ("3/2004") give the first of the month.
    if (looksLikeYear(b) && !looksLikeYear(a)) {
        return makeDate(b.value, static_cast<int>(b.text.size()), a.value, 1);
    }
    if (looksLikeYear(a) && !looksLikeYear(b)) {
        return makeDate(a.value, static_cast<int>(a.text.size()), b.value, 1);
    }
    const int year = QDate::currentDate().year();
    const bool dayFirst = localeOrder(locale).indexOf(QLatin1Char('D')) <
                          localeOrder(locale).indexOf(QLatin1Char('M'));
    const Token& month = dayFirst ? b : a;
    const Token& day = dayFirst ? a : b;
    if (auto date = makeDate(year, 4, month.value, day.value)) {
        return date;
    }
    return makeDate(year, 4, day.value, month.value);
}

std::optional<QDate> dateWithMonthName(int month, const std::vector<Token>& numbers)
{
    if (numbers.size() == 1) {
        const Token& n = numbers[0];
        if (looksLikeYear(n)) {
            return makeDate(n.value, static_cast<int>(n.text.size()), month, 1);
        }
        return makeDate(QDate::currentDate().year(), 4, month, n.value);
    }
    if (numbers.size() == 2) {
        // "5 March 2004", "March 5, 2004"; a leading year gives "2004 March 5".
        const bool yearFirst = looksLikeYear(numbers[0]) && !looksLikeYear(numbers[1]);
        const Token& year = yearFirst ? numbers[0] : numbers[1];
        const Token& day = yearFirst ? numbers[1] : numbers[0];
        return makeDate(year.value, static_cast<int>(year.text.size()), month, day.value);
    }
    return std::nullopt;
}

} // namespace

int DateText::expandYear(int year, int digitCount)
{
    if (digitCount <= 2 && year < 100) {
        return year < 30 ? 2000 + year : 1900 + year;
    }
    return year;
}

std::optional<double> DateText::parse(QStringView text, const QLocale& locale)
{
    std::optional<std::vector<Token>> tokens = tokenize(text);
    if (!tokens || tokens->empty()) {
        return std::nullopt;
    }
    TimeOfDay time;
    if (!extractTime(*tokens, locale, time)) {
        return std::nullopt;
    }
    std::vector<Token> numbers;
    int month = 0;
    for (const Token& t : *tokens) {
        if (t.kind == Token::Number) {
            numbers.push_back(t);
        } else if (const int m = monthFromName(t.text, locale); m != 0 && month == 0) {
            month = m;
        } else if (!isDayName(t.text, locale)) {
            return std::nullopt;
        }
    }

    std::optional<QDate> date;
    if (month != 0) {
        date = dateWithMonthName(month, numbers);
    } else if (numbers.size() == 3) {
        date = dateFromThree({numbers[0], numbers[1], numbers[2]}, locale);
    } else if (numbers.size() == 2) {
        date = dateFromTwo(numbers[0], numbers[1], locale);
    } else if (numbers.empty() && time.present) {
        date = QDate(1899, 12, 30);
    }
    if (!date) {
        return std::nullopt;
    }
    QTime clock(0, 0);
    if (time.present) {
        const std::optional<QTime> t = makeTime(time);
        if (!t) {
            return std::nullopt;
        }
        clock = *t;
    }
    return OleDate::fromDateTime(*date, clock);
}

} // namespace vb
