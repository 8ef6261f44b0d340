#include "NumericText.h"

#include "Error.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <utility>

namespace vb {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x00A0) ||
           c == QChar(0x202F);
}

QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front())) {
        text = text.mid(1);
    }
    while (!text.isEmpty() && isBlank(text.back())) {
        text.chop(1);
    }
    return text;
}

// Reads the digits of a "&H" / "&O" literal; VB gives a 16-bit or 32-bit two's complement
// value depending on how many bits the literal needs, as for literals in code.
std::optional<std::int64_t> parseRadixLiteral(QStringView text)
{
    if (text.size() < 3 || text[0] != QLatin1Char('&')) {
        return std::nullopt;
    }
    const QChar kind = text[1].toUpper();
    const int radix = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
    if (radix == 0) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const QChar c : text.mid(2)) {
        const int digit =
            c.isDigit() ? c.digitValue()
            : (radix == 16 && c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F'))
                ? c.toUpper().unicode() - 'A' + 10
                : -1;
        if (digit < 0 || digit >= radix) {
            return std::nullopt;
        }
        value = value * radix + digit;
        if (value > 0xFFFFFFFFull) {
            throw Error(ErrorNumber::Overflow);
        }
    }
    if (value <= 0xFFFF) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// A cursor over the text with the locale's symbols.
class Reader
{
public:
    Reader(QStringView text, const QLocale& locale)
        : m_text(text), m_decimal(locale.decimalPoint()), m_group(locale.groupSeparator()),
          m_currency(locale.currencySymbol())
    {
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_pos]; }
    bool take(QChar c)
    {
        if (peek() != c) {
            return false;
        }
        ++m_pos;
        return true;
    }
    bool takeText(const QString& symbol)
    {
        if (symbol.isEmpty() || !m_text.mid(m_pos).startsWith(symbol)) {
            return false;
        }
        m_pos += symbol.size();
        return true;
    }
    bool takeDecimal() { return takeText(m_decimal); }
    bool takeGroup()
    {
        // Locales that group with a no-break space also accept a plain blank.
        if (takeText(m_group)) {
            return true;
        }
        return (m_group == QString(QChar(0x00A0)) || m_group == QString(QChar(0x202F))) &&
               take(QLatin1Char(' '));
    }
    bool takeCurrency() { return takeText(m_currency); }
    void skipBlanks()
    {
        while (!atEnd() && isBlank(peek())) {
            ++m_pos;
        }
    }
    bool takeSign(bool& negative)
    {
        if (take(QLatin1Char('-'))) {
            negative = !negative;
            return true;
        }
        return take(QLatin1Char('+'));
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
    QString m_decimal;
    QString m_group;
    QString m_currency;
};

struct Mantissa
{
    QByteArray digits;
    int exponent = 0;
    bool any = false;
};

Mantissa readMantissa(Reader& in)
{
    Mantissa m;
    bool lastWasDigit = false;
    while (!in.atEnd()) {
        if (in.peek().isDigit()) {
            m.digits += static_cast<char>('0' + in.peek().digitValue());
            in.take(in.peek());
            m.any = lastWasDigit = true;
        } else if (lastWasDigit && in.takeGroup()) {
            lastWasDigit = false;
        } else {
            break;
        }
    }
    if (in.takeDecimal()) {
        while (!in.atEnd() && in.peek().isDigit()) {
            m.digits += static_cast<char>('0' + in.peek().digitValue());
            in.take(in.peek());
            --m.exponent;
            m.any = true;
        }
    }
    return m;
}

// "E", an optional sign and at least one digit; false on a malformed exponent.
bool readExponent(Reader& in, int& exponent)
{
    if (!in.take(QLatin1Char('E')) && !in.take(QLatin1Char('e'))) {
        return true;
    }
    bool negative = false;
    in.takeSign(negative);
    long long value = 0;
    bool any = false;
    while (!in.atEnd() && in.peek().isDigit()) {
        value = std::min<long long>(value * 10 + in.peek().digitValue(), 100000);
        in.take(in.peek());
        any = true;
    }
    exponent += static_cast<int>(negative ? -value : value);
    return any;
}

} // namespace

NumericText::NumericText(bool negative, QByteArray digits, int exponent)
    : m_negative(negative), m_digits(std::move(digits)), m_exponent(exponent)
{
    qsizetype zeros = 0;
    while (zeros < m_digits.size() && m_digits[zeros] == '0') {
        ++zeros;
    }
    m_digits.remove(0, zeros);
    if (m_digits.isEmpty()) {
        m_exponent = 0;
    }
}

// Digits with at most a leading sign read the same in every locale; most numbers stored as
// text are written so, and are read without looking up the locale's symbols.
std::optional<NumericText> NumericText::parsePlainWholeNumber(QStringView text)
{
    const bool hasSign = text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+');
    const QStringView digits = text.mid(hasSign ? 1 : 0);
    if (digits.isEmpty()) {
        return std::nullopt;
    }
    QByteArray latin1(digits.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const char16_t c = digits[i].unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        latin1[i] = static_cast<char>(c);
    }
    return NumericText(text[0] == QLatin1Char('-'), std::move(latin1), 0);
}

std::optional<NumericText> NumericText::parse(QStringView text, const QLocale& locale)
{
    text = trimBlanks(text);
    if (text.isEmpty()) {
        return std::nullopt;
    }
    if (text[0] == QLatin1Char('&')) {
        const std::optional<std::int64_t> value = parseRadixLiteral(text);
        if (!value) {
            return std::nullopt;
        }
        const std::int64_t magnitude = *value < 0 ? -*value : *value;
        return NumericText(*value < 0, QByteArray::number(magnitude), 0);
    }

    if (const std::optional<NumericText> plain = parsePlainWholeNumber(text)) {
        return plain;
    }

    Reader in(text, locale);
    bool negative = false;
    const bool parenthesised = in.take(QLatin1Char('('));
    in.skipBlanks();
    bool currency = in.takeCurrency();
    in.skipBlanks();
    const bool leadingSign = in.takeSign(negative);
    in.skipBlanks();
    if (!currency) {
        currency = in.takeCurrency();
        in.skipBlanks();
    }
    Mantissa mantissa = readMantissa(in);
    if (!mantissa.any || !readExponent(in, mantissa.exponent)) {
        return std::nullopt;
    }
    in.skipBlanks();
    if (!currency) {
        in.takeCurrency();
        in.skipBlanks();
    }
    if (!leadingSign && !parenthesised) {
        in.takeSign(negative);
        in.skipBlanks();
    }
    if (parenthesised) {
        if (negative || !in.take(QLatin1Char(')'))) {
            return std::nullopt;
        }
        negative = true;
    }
    if (!in.atEnd()) {
        return std::nullopt;
    }
    return NumericText(negative, std::move(mantissa.digits), mantissa.exponent);
}

double NumericText::toDouble() const
{
    if (m_digits.isEmpty()) {
        return 0.0;
    }
    if (m_exponent == 0 && m_digits.size() <= 15) {
        // A whole number of at most 15 digits is exactly a double.
        std::int64_t whole = 0;
        for (const char digit : m_digits) {
            whole = whole * 10 + (digit - '0');
        }
        return static_cast<double>(m_negative ? -whole : whole);
    }
    const QByteArray text = m_digits + 'e' + QByteArray::number(m_exponent);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.constBegin(), text.constEnd(), value);
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on range errors: decide between overflow and
        // underflow from the magnitude.
        const bool huge = static_cast<int>(m_digits.size()) + m_exponent > 0;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return m_negative ? -value : value;
}

Currency NumericText::toCurrency() const
{
    // Shift to ten-thousandths; digits that fall off are rounded half to even.
    QByteArray digits = m_digits;
    const int shift = m_exponent + 4;
    bool roundUp = false;
    if (shift >= 0) {
        if (digits.size() + shift > 20) {
            throw Error(ErrorNumber::Overflow);
        }
        digits.append(QByteArray(shift, '0'));
    } else {
        const qsizetype keep = digits.size() + shift;
        if (keep < 0) {
            return Currency();
        }
        const QByteArray dropped = digits.mid(keep);
        digits.truncate(keep);
        const bool beyondHalf =
            dropped.size() > 1 && dropped.mid(1).count('0') != dropped.size() - 1;
        const char first = dropped.isEmpty() ? '0' : dropped[0];
        const bool lastOdd = !digits.isEmpty() && (digits.back() - '0') % 2 != 0;
        roundUp = first > '5' || (first == '5' && (beyondHalf || lastOdd));
    }
    if (digits.size() > 20) {
        throw Error(ErrorNumber::Overflow);
    }
    unsigned __int128 magnitude = 0;
    for (const char d : std::as_const(digits)) {
        magnitude = magnitude * 10 + static_cast<unsigned>(d - '0');
    }
    if (roundUp) {
        ++magnitude;
    }
    const auto limit = static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max()) +
                       (m_negative ? 1 : 0);
    if (magnitude > limit) {
        throw Error(ErrorNumber::Overflow);
    }
    if (m_negative) {
        return Currency::fromRaw(
            static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(magnitude)));
    }
    return Currency::fromRaw(static_cast<std::int64_t>(magnitude));
}

} // namespace vb
