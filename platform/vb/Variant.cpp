#include "Variant.h"

#include "DateText.h"
#include "DefaultText.h"
#include "Error.h"
#include "NumericText.h"
#include "OleDate.h"
#include "Rounding.h"

#include <cmath>
#include <limits>
#include <utility>

namespace vb {

namespace {

[[noreturn]] void raise(int number)
{
    throw Error(number);
}

QStringView trimmed(const QString& text)
{
    return QStringView(text).trimmed();
}

std::optional<bool> booleanWord(const QString& text)
{
    const QStringView word = trimmed(text);
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    return std::nullopt;
}

double numberFromString(const QString& text)
{
    const std::optional<NumericText> number = NumericText::parse(text);
    if (!number) {
        raise(ErrorNumber::TypeMismatch);
    }
    return number->toDouble();
}

// Rounds half to even and checks the range of a whole-number type.
template <typename Int>
Int wholeNumber(double value)
{
    if (std::isnan(value)) {
        raise(ErrorNumber::Overflow);
    }
    const double rounded = roundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        raise(ErrorNumber::Overflow);
    }
    return static_cast<Int>(rounded);
}

template <typename Int>
Int wholeNumber(Currency value)
{
    const std::int64_t rounded = divideHalfEven(value.raw(), Currency::Scale);
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max()) {
        raise(ErrorNumber::Overflow);
    }
    return static_cast<Int>(rounded);
}

} // namespace

Variant::Variant(VarType type, Storage storage) : m_type(type), m_value(std::move(storage)) {}

Variant Variant::null()
{
    return Variant(VarType::Null, std::monostate{});
}

Variant::Variant(bool value) : m_type(VarType::Boolean), m_value(value) {}
Variant::Variant(std::uint8_t value) : m_type(VarType::Byte), m_value(value) {}
Variant::Variant(std::int16_t value) : m_type(VarType::Integer), m_value(value) {}
Variant::Variant(std::int32_t value) : m_type(VarType::Long), m_value(value) {}
Variant::Variant(float value) : m_type(VarType::Single), m_value(value) {}
Variant::Variant(double value) : m_type(VarType::Double), m_value(value) {}
Variant::Variant(Currency value) : m_type(VarType::Currency), m_value(value) {}
Variant::Variant(const QString& value) : m_type(VarType::String), m_value(value) {}
Variant::Variant(QString&& value) : m_type(VarType::String), m_value(std::move(value)) {}
Variant::Variant(const char* utf8)
    : m_type(VarType::String), m_value(utf8 ? QString::fromUtf8(utf8) : QString())
{
}
Variant::Variant(const QByteArray& bytes) : m_type(VarType::ByteArray), m_value(bytes) {}

Variant Variant::fromDate(double oleDays)
{
    if (!OleDate::isValid(oleDays)) {
        raise(ErrorNumber::Overflow);
    }
    return Variant(VarType::Date, oleDays);
}

Variant Variant::fromObject(std::shared_ptr<QObject> object)
{
    return Variant(VarType::Object, std::move(object));
}

Variant Variant::fromError(int number)
{
    return Variant(VarType::Error, static_cast<std::int32_t>(number));
}

Variant Variant::fromInt64(std::int64_t value)
{
    if (value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max()) {
        return Variant(static_cast<std::int32_t>(value));
    }
    return Variant(static_cast<double>(value));
}

bool Variant::isNumber() const noexcept
{
    switch (m_type) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Byte:
    case VarType::Boolean:
        return true;
    default:
        return false;
    }
}

std::shared_ptr<QObject> Variant::object() const
{
    if (m_type != VarType::Object) {
        raise(ErrorNumber::TypeMismatch);
    }
    return std::get<std::shared_ptr<QObject>>(m_value);
}

int Variant::errorNumber() const
{
    if (m_type != VarType::Error) {
        raise(ErrorNumber::TypeMismatch);
    }
    return std::get<std::int32_t>(m_value);
}

double Variant::toDouble() const
{
    switch (m_type) {
    case VarType::Empty:
        return 0.0;
    case VarType::Null:
        raise(ErrorNumber::InvalidUseOfNull);
    case VarType::Boolean:
        return std::get<bool>(m_value) ? -1.0 : 0.0;
    case VarType::Byte:
        return std::get<std::uint8_t>(m_value);
    case VarType::Integer:
        return std::get<std::int16_t>(m_value);
    case VarType::Long:
        return std::get<std::int32_t>(m_value);
    case VarType::Single:
        return std::get<float>(m_value);
    case VarType::Double:
    case VarType::Date:
        return std::get<double>(m_value);
    case VarType::Currency:
        return std::get<Currency>(m_value).toDouble();
    case VarType::String: {
        const double value = numberFromString(std::get<QString>(m_value));
        if (!std::isfinite(value)) {
            raise(ErrorNumber::Overflow);
        }
        return value;
    }
    default:
        raise(ErrorNumber::TypeMismatch);
    }
}

bool Variant::toBoolean() const
{
    if (m_type == VarType::String) {
        if (const std::optional<bool> word = booleanWord(std::get<QString>(m_value))) {
            return *word;
        }
    }
    if (m_type == VarType::Currency) {
        return std::get<Currency>(m_value).raw() != 0;
    }
    return toDouble() != 0.0;
}

std::uint8_t Variant::toByte() const
{
    if (m_type == VarType::Currency) {
        return wholeNumber<std::uint8_t>(std::get<Currency>(m_value));
    }
    return wholeNumber<std::uint8_t>(toDouble());
}

std::int16_t Variant::toInteger() const
{
    if (m_type == VarType::Currency) {
        return wholeNumber<std::int16_t>(std::get<Currency>(m_value));
    }
    return wholeNumber<std::int16_t>(toDouble());
}

std::int32_t Variant::toLong() const
{
    if (m_type == VarType::Currency) {
        return wholeNumber<std::int32_t>(std::get<Currency>(m_value));
    }
    return wholeNumber<std::int32_t>(toDouble());
}

float Variant::toSingle() const
{
    const double value = toDouble();
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
        raise(ErrorNumber::Overflow);
    }
    return static_cast<float>(value);
}

Currency Variant::toCurrency() const
{
    switch (m_type) {
    case VarType::Currency:
        return std::get<Currency>(m_value);
    case VarType::String: {
        const std::optional<NumericText> number = NumericText::parse(std::get<QString>(m_value));
        if (!number) {
            raise(ErrorNumber::TypeMismatch);
        }
        return number->toCurrency();
    }
    case VarType::Integer:
    case VarType::Long:
    case VarType::Byte:
    case VarType::Boolean:
        return Currency::fromInt64(toLong());
    default:
        return Currency::fromDouble(toDouble());
    }
}

double Variant::toDate() const
{
    double days = 0.0;
    if (m_type == VarType::Date) {
        return std::get<double>(m_value);
    }
    if (m_type == VarType::String) {
        const std::optional<double> parsed = DateText::parse(std::get<QString>(m_value));
        if (!parsed) {
            raise(ErrorNumber::TypeMismatch);
        }
        days = *parsed;
    } else {
        days = toDouble();
    }
    if (!OleDate::isValid(days)) {
        raise(ErrorNumber::Overflow);
    }
    return days;
}

QString Variant::toString() const
{
    switch (m_type) {
    case VarType::Empty:
        return {};
    case VarType::Null:
        raise(ErrorNumber::InvalidUseOfNull);
    case VarType::Boolean:
        return std::get<bool>(m_value) ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Byte:
        return QString::number(std::get<std::uint8_t>(m_value));
    case VarType::Integer:
        return QString::number(std::get<std::int16_t>(m_value));
    case VarType::Long:
        return QString::number(std::get<std::int32_t>(m_value));
    case VarType::Single:
        return DefaultText::number(std::get<float>(m_value), 7);
    case VarType::Double:
        return DefaultText::number(std::get<double>(m_value), 15);
    case VarType::Currency:
        return DefaultText::currency(std::get<Currency>(m_value));
    case VarType::Date:
        return DefaultText::date(std::get<double>(m_value));
    case VarType::String:
        return std::get<QString>(m_value);
    case VarType::Error:
        return QStringLiteral("Error %1").arg(std::get<std::int32_t>(m_value));
    case VarType::ByteArray: {
        // VB reads a byte array assigned to a string as UTF-16LE code units; an odd last byte
        // becomes a unit of its own.
        const QByteArray& bytes = std::get<QByteArray>(m_value);
        QString text;
        text.reserve((bytes.size() + 1) / 2);
        for (qsizetype i = 0; i < bytes.size(); i += 2) {
            const auto low = static_cast<std::uint8_t>(bytes[i]);
            const auto high = i + 1 < bytes.size() ? static_cast<std::uint8_t>(bytes[i + 1]) : 0;
            text += QChar(static_cast<char16_t>(low | (high << 8)));
        }
        return text;
    }
    default:
        raise(ErrorNumber::TypeMismatch);
    }
}

QByteArray Variant::toBytes() const
{
    switch (m_type) {
    case VarType::Empty:
        return {};
    case VarType::Null:
        raise(ErrorNumber::InvalidUseOfNull);
    case VarType::ByteArray:
        return std::get<QByteArray>(m_value);
    case VarType::String: {
        const QString& text = std::get<QString>(m_value);
        QByteArray bytes;
        bytes.reserve(text.size() * 2);
        for (const QChar c : text) {
            bytes += static_cast<char>(c.unicode() & 0xFF);
            bytes += static_cast<char>(c.unicode() >> 8);
        }
        return bytes;
    }
    default:
        raise(ErrorNumber::TypeMismatch);
    }
}

bool operator==(const Variant& a, const Variant& b)
{
    return a.m_type == b.m_type && a.m_value == b.m_value;
}

} // namespace vb
