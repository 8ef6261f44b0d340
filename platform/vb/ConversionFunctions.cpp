#include "ConversionFunctions.h"

#include "DateText.h"
#include "DefaultText.h"
#include "Error.h"
#include "NumericText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace vb {

namespace {

bool isValBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

QString withoutBlanks(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (!isValBlank(c)) {
            result += c;
        }
    }
    return result;
}

int digitIn(QChar c, int radix)
{
    int digit = -1;
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
        digit = c.unicode() - '0';
    } else if (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F')) {
        digit = c.toUpper().unicode() - 'A' + 10;
    }
    return digit < radix ? digit : -1;
}

// "&H1F" and "&O17": the digits up to the first invalid character, as a 16-bit value when it
// fits and a 32-bit value otherwise, like literals in code.
double radixValue(QStringView text, int radix)
{
    std::uint64_t value = 0;
    for (const QChar c : text) {
        const int digit = digitIn(c, radix);
        if (digit < 0) {
            break;
        }
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFull) {
            throw Error(ErrorNumber::Overflow);
        }
    }
    if (value <= 0xFFFF) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// The longest prefix of `text` that is a decimal number in C notation, rewritten for
// from_chars (no '+', exponent letter 'e').
QByteArray decimalPrefix(QStringView text)
{
    QByteArray out;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        if (text[i] == QLatin1Char('-')) {
            out += '-';
        }
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            out += static_cast<char>(c.unicode());
            digits = true;
        } else if (c == QLatin1Char('.') && !point) {
            out += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits) {
        return {};
    }
    // An exponent counts only when at least one digit follows it.
    if (i < text.size() && QStringLiteral("eEdD").contains(text[i])) {
        qsizetype j = i + 1;
        QByteArray exponent("e");
        if (j < text.size() && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) {
            exponent += static_cast<char>(text[j].unicode());
            ++j;
        }
        const qsizetype firstDigit = j;
        while (j < text.size() && text[j] >= QLatin1Char('0') && text[j] <= QLatin1Char('9')) {
            exponent += static_cast<char>(text[j].unicode());
            ++j;
        }
        if (j > firstDigit) {
            if (exponent[1] == '+') {
                exponent.remove(1, 1);
            }
            out += exponent;
        }
    }
    return out;
}

QString plainNumber(double value, int digits)
{
    return DefaultText::number(value, digits, QLocale::c());
}

} // namespace

Variant CBool(const Variant& value)
{
    return Variant(value.toBoolean());
}
Variant CByte(const Variant& value)
{
    return Variant(value.toByte());
}
Variant CInt(const Variant& value)
{
    return Variant(value.toInteger());
}
Variant CLng(const Variant& value)
{
    return Variant(value.toLong());
}
Variant CSng(const Variant& value)
{
    return Variant(value.toSingle());
}
Variant CDbl(const Variant& value)
{
    return Variant(value.toDouble());
}
Variant CCur(const Variant& value)
{
    return Variant(value.toCurrency());
}
Variant CDate(const Variant& value)
{
    return Variant::fromDate(value.toDate());
}
Variant CStr(const Variant& value)
{
    return Variant(value.toString());
}

double valueOfText(QStringView text)
{
    const QString compact = withoutBlanks(text);
    if (compact.size() >= 2 && compact[0] == QLatin1Char('&')) {
        const QChar kind = compact[1].toUpper();
        if (kind == QLatin1Char('H')) {
            return radixValue(QStringView(compact).mid(2), 16);
        }
        if (kind == QLatin1Char('O')) {
            return radixValue(QStringView(compact).mid(2), 8);
        }
    }
    const QByteArray number = decimalPrefix(compact);
    if (number.isEmpty()) {
        return 0.0;
    }
    double value = 0.0;
    const char* begin = number.constData();
    const auto [end, error] = std::from_chars(begin, begin + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Tiny values underflow to zero; huge ones do not fit a Double.
        const qsizetype e = number.indexOf('e');
        if (e >= 0 && number.mid(e + 1).startsWith('-')) {
            return 0.0;
        }
        throw Error(ErrorNumber::Overflow);
    }
    return value;
}

Variant Val(const Variant& text)
{
    if (text.isNull()) {
        throw Error(ErrorNumber::InvalidUseOfNull);
    }
    return Variant(valueOfText(text.toString()));
}

Variant Str(const Variant& number)
{
    switch (number.type()) {
    case VarType::Null:
        return Variant::null();
    case VarType::Boolean:
    case VarType::Date:
        return Variant(number.toString());
    default:
        break;
    }
    QString text;
    switch (number.type()) {
    case VarType::Single:
        text = plainNumber(number.toSingle(), 7);
        break;
    case VarType::Currency:
        text = number.toCurrency().toPlainString();
        break;
    case VarType::Integer:
    case VarType::Long:
    case VarType::Byte:
    case VarType::Empty:
        text = QString::number(number.toLong());
        break;
    default:
        text = plainNumber(number.toDouble(), 15);
        break;
    }
    return Variant(text.startsWith(QLatin1Char('-')) ? text : QLatin1Char(' ') + text);
}

namespace {

Variant inRadix(const Variant& number, int radix)
{
    if (number.isNull()) {
        return Variant::null();
    }
    const VarType type = number.type();
    if (type == VarType::Integer || type == VarType::Boolean || type == VarType::Byte) {
        const auto bits = static_cast<std::uint16_t>(number.toInteger());
        return Variant(QString::number(bits, radix).toUpper());
    }
    const auto bits = static_cast<std::uint32_t>(number.toLong());
    return Variant(QString::number(bits, radix).toUpper());
}

} // namespace

Variant Hex(const Variant& number)
{
    return inRadix(number, 16);
}

Variant Oct(const Variant& number)
{
    return inRadix(number, 8);
}

Variant IsNull(const Variant& value)
{
    return Variant(value.isNull());
}

Variant IsEmpty(const Variant& value)
{
    return Variant(value.isEmpty());
}

Variant IsNumeric(const Variant& value)
{
    if (value.isEmpty() || value.isNumber()) {
        return Variant(true);
    }
    if (!value.isString()) {
        return Variant(false);
    }
    try {
        return Variant(NumericText::parse(value.toString()).has_value());
    } catch (const Error&) {
        return Variant(false); // a hexadecimal literal too large for a Long
    }
}

Variant IsDate(const Variant& value)
{
    if (value.type() == VarType::Date) {
        return Variant(true);
    }
    if (!value.isString()) {
        return Variant(false);
    }
    return Variant(DateText::parse(value.toString()).has_value());
}

Variant Nz(const Variant& value, const Variant& valueIfNull)
{
    return value.isNull() ? valueIfNull : value;
}

Variant IIf(const Variant& condition, const Variant& truePart, const Variant& falsePart)
{
    if (condition.isNull()) {
        return falsePart;
    }
    return condition.toBoolean() ? truePart : falsePart;
}

} // namespace vb

namespace vb {

Variant Choose(const Variant& index, std::span<const Variant> choices)
{
    if (index.isNull()) {
        return Variant::null();
    }
    const double position = std::floor(index.toDouble());
    if (position < 1 || position > static_cast<double>(choices.size())) {
        return Variant::null();
    }
    return choices[static_cast<std::size_t>(position) - 1];
}

Variant Switch(std::span<const Variant> pairs)
{
    if (pairs.size() % 2 != 0) {
        throw Error(ErrorNumber::InvalidProcedureCall);
    }
    for (std::size_t i = 0; i < pairs.size(); i += 2) {
        if (!pairs[i].isNull() && pairs[i].toBoolean()) {
            return pairs[i + 1];
        }
    }
    return Variant::null();
}

} // namespace vb
