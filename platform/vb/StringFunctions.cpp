#include "StringFunctions.h"

#include "ArgumentHelpers.h"
#include "Error.h"

#include <algorithm>
#include <array>

namespace vb {

namespace {

using detail::anyNull;
using detail::invalidArgument;

// Windows-1252 characters 0x80..0x9F (the rest of the code page is Latin-1).
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Longest string VB can build; beyond it VB raises "Out of string space".
constexpr qint64 maxStringLength = qint64{1} << 28;

QChar charFromCodePage(int code)
{
    if (code >= 0x80 && code <= 0x9F) {
        return QChar(cp1252High[static_cast<std::size_t>(code - 0x80)]);
    }
    return QChar(static_cast<char16_t>(code));
}

int codePageFromChar(QChar c)
{
    const char16_t unit = c.unicode();
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return unit;
    }
    const auto* found = std::find(cp1252High.begin(), cp1252High.end(), unit);
    return found == cp1252High.end() ? '?' : static_cast<int>(0x80 + (found - cp1252High.begin()));
}

Qt::CaseSensitivity caseFor(const Variant& compare)
{
    switch (compare.toLong()) {
    case 0:
        return Qt::CaseSensitive;
    case 1:
    case 2:
        return Qt::CaseInsensitive;
    default:
        invalidArgument();
    }
}

qint64 nonNegative(const Variant& count)
{
    const qint64 n = count.toLong();
    if (n < 0) {
        invalidArgument();
    }
    return n;
}

void checkLength(qint64 length)
{
    if (length > maxStringLength) {
        throw Error(ErrorNumber::OutOfStringSpace);
    }
}

template <typename Transform>
Variant mapText(const Variant& text, Transform transform)
{
    if (text.isNull()) {
        return Variant::null();
    }
    return Variant(transform(text.toString()));
}

} // namespace

Variant Chr(const Variant& code)
{
    const qint64 n = code.toLong();
    if (n < 0 || n > 255) {
        invalidArgument();
    }
    return Variant(QString(charFromCodePage(static_cast<int>(n))));
}

Variant ChrW(const Variant& code)
{
    const qint64 n = code.toLong();
    if (n < -32768 || n > 65535) {
        invalidArgument();
    }
    return Variant(QString(QChar(static_cast<char16_t>(n < 0 ? n + 65536 : n))));
}

Variant Asc(const Variant& text)
{
    const QString s = text.toString();
    if (s.isEmpty()) {
        invalidArgument();
    }
    return Variant(static_cast<std::int16_t>(codePageFromChar(s.front())));
}

Variant AscW(const Variant& text)
{
    const QString s = text.toString();
    if (s.isEmpty()) {
        invalidArgument();
    }
    return Variant(static_cast<std::int16_t>(s.front().unicode()));
}

Variant Left(const Variant& text, const Variant& length)
{
    const qint64 n = nonNegative(length);
    return mapText(text, [n](const QString& s) { return s.left(n); });
}

Variant Right(const Variant& text, const Variant& length)
{
    const qint64 n = nonNegative(length);
    return mapText(text, [n](const QString& s) { return s.right(n); });
}

Variant Mid(const Variant& text, const Variant& start)
{
    const qint64 from = start.toLong();
    if (from < 1) {
        invalidArgument();
    }
    return mapText(
        text, [from](const QString& s) { return from > s.size() ? QString() : s.mid(from - 1); });
}

Variant Mid(const Variant& text, const Variant& start, const Variant& length)
{
    const qint64 from = start.toLong();
    const qint64 n = nonNegative(length);
    if (from < 1) {
        invalidArgument();
    }
    return mapText(text, [from, n](const QString& s) {
        return from > s.size() ? QString() : s.mid(from - 1, n);
    });
}

Variant Len(const Variant& value)
{
    if (value.isNull()) {
        return Variant::null();
    }
    return Variant(static_cast<std::int32_t>(value.toString().size()));
}

Variant InStr(const Variant& string1, const Variant& string2)
{
    return InStr(Variant(1), string1, string2);
}

Variant InStr(const Variant& start, const Variant& string1, const Variant& string2,
              const Variant& compare)
{
    const qint64 from = start.toLong();
    if (from < 1) {
        invalidArgument();
    }
    const Qt::CaseSensitivity cs = caseFor(compare);
    if (anyNull({&string1, &string2})) {
        return Variant::null();
    }
    const QString haystack = string1.toString();
    const QString needle = string2.toString();
    if (haystack.isEmpty() || from > haystack.size()) {
        return Variant(0);
    }
    if (needle.isEmpty()) {
        return Variant(static_cast<std::int32_t>(from));
    }
    return Variant(static_cast<std::int32_t>(haystack.indexOf(needle, from - 1, cs) + 1));
}

Variant InStrRev(const Variant& string1, const Variant& string2, const Variant& start,
                 const Variant& compare)
{
    const qint64 from = start.toLong();
    if (from == 0 || from < -1) {
        invalidArgument();
    }
    const Qt::CaseSensitivity cs = caseFor(compare);
    if (anyNull({&string1, &string2})) {
        return Variant::null();
    }
    const QString haystack = string1.toString();
    const QString needle = string2.toString();
    const qint64 last = from == -1 ? haystack.size() : from;
    if (haystack.isEmpty() || last > haystack.size()) {
        return Variant(0);
    }
    if (needle.isEmpty()) {
        return Variant(static_cast<std::int32_t>(last));
    }
    if (needle.size() > last) {
        return Variant(0);
    }
    return Variant(
        static_cast<std::int32_t>(haystack.lastIndexOf(needle, last - needle.size(), cs) + 1));
}

Variant StrComp(const Variant& string1, const Variant& string2, const Variant& compare)
{
    const Qt::CaseSensitivity cs = caseFor(compare);
    if (anyNull({&string1, &string2})) {
        return Variant::null();
    }
    const int result = QString::compare(string1.toString(), string2.toString(), cs);
    return Variant(static_cast<std::int32_t>(result < 0 ? -1 : result > 0 ? 1 : 0));
}

Variant Trim(const Variant& text)
{
    return LTrim(RTrim(text));
}

Variant LTrim(const Variant& text)
{
    return mapText(text, [](const QString& s) {
        qsizetype i = 0;
        while (i < s.size() && s[i] == QLatin1Char(' ')) {
            ++i;
        }
        return s.mid(i);
    });
}

Variant RTrim(const Variant& text)
{
    return mapText(text, [](const QString& s) {
        qsizetype n = s.size();
        while (n > 0 && s[n - 1] == QLatin1Char(' ')) {
            --n;
        }
        return s.left(n);
    });
}

Variant UCase(const Variant& text)
{
    return mapText(text, [](const QString& s) { return s.toUpper(); });
}

Variant LCase(const Variant& text)
{
    return mapText(text, [](const QString& s) { return s.toLower(); });
}

Variant StrReverse(const Variant& text)
{
    if (text.isNull()) {
        throw Error(ErrorNumber::InvalidUseOfNull);
    }
    QString s = text.toString();
    std::reverse(s.begin(), s.end());
    return Variant(s);
}

Variant Replace(const Variant& expression, const Variant& find, const Variant& replacement,
                const Variant& start, const Variant& count, const Variant& compare)
{
    const qint64 from = start.toLong();
    qint64 remaining = count.toLong();
    if (from < 1 || remaining < -1) {
        invalidArgument();
    }
    const Qt::CaseSensitivity cs = caseFor(compare);
    const QString what = find.toString();
    const QString with = replacement.toString();
    if (expression.isNull()) {
        return Variant::null();
    }
    const QString source = expression.toString();
    if (from > source.size()) {
        return Variant(QString());
    }
    const QString tail = source.mid(from - 1);
    if (what.isEmpty() || remaining == 0) {
        return Variant(tail);
    }
    QString result;
    qsizetype pos = 0;
    while (remaining != 0) {
        const qsizetype hit = tail.indexOf(what, pos, cs);
        if (hit < 0) {
            break;
        }
        result += QStringView(tail).mid(pos, hit - pos);
        result += with;
        checkLength(result.size());
        pos = hit + what.size();
        if (remaining > 0) {
            --remaining;
        }
    }
    result += QStringView(tail).mid(pos);
    return Variant(result);
}

Variant Space(const Variant& count)
{
    const qint64 n = nonNegative(count);
    checkLength(n);
    return Variant(QString(n, QLatin1Char(' ')));
}

Variant String(const Variant& count, const Variant& character)
{
    const qint64 n = nonNegative(count);
    if (character.isNull()) {
        return Variant::null();
    }
    checkLength(n);
    QChar fill;
    if (character.isString()) {
        const QString s = character.toString();
        if (s.isEmpty()) {
            invalidArgument();
        }
        fill = s.front();
    } else {
        const qint64 code = character.toLong();
        fill = charFromCodePage(static_cast<int>(((code % 256) + 256) % 256));
    }
    return Variant(QString(n, fill));
}

} // namespace vb
