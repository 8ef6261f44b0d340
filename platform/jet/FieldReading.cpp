#include "FieldReading.h"

#include "vb/OleDate.h"

#include <cmath>
#include <sqlite3.h>

namespace jet::detail {

namespace {

vb::Variant naturalValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return vb::Variant::fromInt64(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return vb::Variant(sqlite3_column_double(statement, column));
    case SQLITE_BLOB: {
        const void* data = sqlite3_column_blob(statement, column);
        return vb::Variant(
            QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(statement, column)));
    }
    case SQLITE_NULL:
        return vb::Variant::null();
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        return vb::Variant(QString::fromUtf8(text, sqlite3_column_bytes(statement, column)));
    }
    }
}

} // namespace

// Currency::fromDouble rounds through the shortest decimal text of the value, which is exact
// but slow for a per-row read; a value already on a ten-thousandth (what a Currency column
// holds) has one answer, taken directly. Anything else goes the exact way.
vb::Currency currencyOf(double value)
{
    const double scaled = value * static_cast<double>(vb::Currency::Scale);
    const double whole = std::nearbyint(scaled);
    if (std::abs(whole) < 9.0e15 && std::abs(scaled - whole) < 1e-6) {
        return vb::Currency::fromRaw(static_cast<std::int64_t>(whole));
    }
    return vb::Currency::fromDouble(value);
}

Field describeColumn(sqlite3_stmt* statement, int column, const QStringList& inferredTypes)
{
    Field field;
    field.name = QString::fromUtf8(sqlite3_column_name(statement, column));
    const char* declared = sqlite3_column_decltype(statement, column);
    field.declaredType = declared ? QString::fromUtf8(declared) : QString();
    const QString& typeWord = field.declaredType.isEmpty() && column < inferredTypes.size()
                                  ? inferredTypes.at(column)
                                  : field.declaredType;
    const ColumnType columnType = columnTypeFromDeclaration(typeWord);
    field.type = columnType.type;
    field.definedSize = columnType.size;
    return field;
}

vb::Variant readColumn(sqlite3_stmt* statement, int column, const Field& field)
{
    const int storage = sqlite3_column_type(statement, column);
    if (storage == SQLITE_NULL) {
        return vb::Variant::null();
    }
    if (storage != SQLITE_INTEGER && storage != SQLITE_FLOAT) {
        return naturalValue(statement, column);
    }
    const qint64 whole = sqlite3_column_int64(statement, column);
    const double real = sqlite3_column_double(statement, column);
    const bool integral = storage == SQLITE_INTEGER;
    switch (field.type) {
    case DataType::Boolean:
        return vb::Variant(real != 0.0);
    case DataType::UnsignedTinyInt:
        if (integral && whole >= 0 && whole <= 255) {
            return vb::Variant(static_cast<std::uint8_t>(whole));
        }
        break;
    case DataType::SmallInt:
        if (integral && whole >= -32768 && whole <= 32767) {
            return vb::Variant(static_cast<std::int16_t>(whole));
        }
        break;
    case DataType::Single:
        return vb::Variant(static_cast<float>(real));
    case DataType::Double:
    case DataType::Numeric:
        return vb::Variant(real);
    case DataType::Currency:
        try {
            return vb::Variant(currencyOf(real));
        } catch (const vb::Error&) {
            return vb::Variant(real);
        }
    case DataType::Date:
        if (vb::OleDate::isValid(real)) {
            return vb::Variant::fromDate(real);
        }
        return vb::Variant(real);
    case DataType::VarWChar:
    case DataType::LongVarWChar:
    case DataType::WChar:
        // A number in a text column (SQLite keeps what it was given) reads as text.
        return vb::Variant(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                              sqlite3_column_bytes(statement, column)));
    default:
        break;
    }
    return naturalValue(statement, column);
}

} // namespace jet::detail
