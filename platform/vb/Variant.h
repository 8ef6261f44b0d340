#pragma once

// VB's Variant: Empty, Null or one typed value, with VB's conversions between them (CBool, CByte,
// CInt, CLng, CSng, CDbl, CCur, CDate, CStr). Conversions raise vb::Error with VB's numbers:
// 6 Overflow, 13 Type mismatch, 94 Invalid use of Null. Text forms and string parsing follow
// the default QLocale, which stands for the user's regional settings.

#include "Currency.h"

#include <cstdint>
#include <memory>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <variant>

namespace vb {

// VB's VarType numbers.
enum class VarType : int
{
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Boolean = 11,
    Byte = 17,
    Array = 8192,
    ByteArray = 8192 | 17,
};

class Variant
{
public:
    Variant() = default; // Empty
    static Variant null();

    Variant(bool value);
    Variant(std::uint8_t value); // Byte
    Variant(std::int16_t value); // Integer
    Variant(std::int32_t value); // Long
    Variant(float value);        // Single
    Variant(double value);       // Double
    Variant(Currency value);
    Variant(const QString& value);
    Variant(QString&& value);
    Variant(const char* utf8);        // a null pointer gives ""
    Variant(const QByteArray& bytes); // Byte array
    // Stray pointers must not silently become Booleans.
    Variant(const void*) = delete;

    // A Date holding OLE automation days (see OleDate.h); raises 6 outside 1 Jan 100..9999.
    static Variant fromDate(double oleDays);
    static Variant fromObject(std::shared_ptr<QObject> object);
    // CVErr: a Variant of type Error.
    static Variant fromError(int number);
    // A whole number from outside VB (a database column): Long when it fits, else Double.
    static Variant fromInt64(std::int64_t value);

    VarType type() const noexcept { return m_type; }
    bool isEmpty() const noexcept { return m_type == VarType::Empty; }
    bool isNull() const noexcept { return m_type == VarType::Null; }
    bool isObject() const noexcept { return m_type == VarType::Object; }
    bool isString() const noexcept { return m_type == VarType::String; }
    // Integer, Long, Single, Double, Currency, Byte or Boolean (not Date, not strings).
    bool isNumber() const noexcept;

    // The object of an Object variant (may be null: "Nothing"); raises 13 for other types.
    std::shared_ptr<QObject> object() const;
    // The number of an Error variant; raises 13 for other types.
    int errorNumber() const;

    // VB conversions. Numbers round half to even; Empty gives 0, "" or False; Null raises 94.
    bool toBoolean() const;
    std::uint8_t toByte() const;
    std::int16_t toInteger() const;
    std::int32_t toLong() const;
    float toSingle() const;
    double toDouble() const;
    Currency toCurrency() const;
    double toDate() const; // OLE days
    QString toString() const;
    // A byte array as is; a string as its UTF-16LE code units, as VB stores strings.
    QByteArray toBytes() const;

    // Exact value equality of type and content (not VB's '=' comparison), for tests and
    // containers.
    friend bool operator==(const Variant& a, const Variant& b);

private:
    using Storage =
        std::variant<std::monostate, bool, std::uint8_t, std::int16_t, std::int32_t, float, double,
                     Currency, QString, QByteArray, std::shared_ptr<QObject>>;

    Variant(VarType type, Storage storage);

    VarType m_type = VarType::Empty;
    Storage m_value; // Date is kept as double, Error as int32
};

} // namespace vb
