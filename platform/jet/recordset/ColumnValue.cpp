#include "ColumnValue.h"

#include "jet/Error.h"
#include "vb/OleDate.h"

#include <sqlite3.h>

namespace jet::detail {

namespace {

bool isText(DataType type)
{
    return type == DataType::VarWChar || type == DataType::LongVarWChar ||
           type == DataType::WChar || type == DataType::Guid;
}

Error conversionError(const Field& field, const vb::Variant& value, const vb::Error& reason)
{
    QString shown;
    try {
        shown = value.toString();
    } catch (const vb::Error&) {
        shown = QStringLiteral("(a value of another kind)");
    }
    return Error(-2147217887, // 0x80040E21
                 QStringLiteral("Multiple-step operation generated errors. Check each status "
                                "value. The value '%1' cannot be stored in the %2 field '%3': %4")
                     .arg(shown, jetTypeName(field.type), field.name, reason.description()),
                 QStringLiteral("Microsoft OLE DB Provider for Jet"));
}

} // namespace

vb::Variant toFieldType(const vb::Variant& value, const Field& field)
{
    if (value.isEmpty() || value.isNull()) {
        return vb::Variant::null();
    }
    try {
        switch (field.type) {
        case DataType::Boolean:
            return vb::Variant(value.toBoolean());
        case DataType::UnsignedTinyInt:
            return vb::Variant(value.toByte());
        case DataType::SmallInt:
            return vb::Variant(value.toInteger());
        case DataType::Integer:
            return vb::Variant(value.toLong());
        case DataType::Single:
            return vb::Variant(value.toSingle());
        case DataType::Double:
        case DataType::Numeric:
            return vb::Variant(value.toDouble());
        case DataType::Currency:
            if (value.type() == vb::VarType::Double) {
                return vb::Variant(currencyOf(value.toDouble()));
            }
            return vb::Variant(value.toCurrency());
        case DataType::Date:
            return vb::Variant::fromDate(value.toDate());
        case DataType::Binary:
        case DataType::VarBinary:
        case DataType::LongVarBinary:
            return vb::Variant(value.toBytes());
        default:
            if (isText(field.type)) {
                return vb::Variant(value.toString());
            }
            return value;
        }
    } catch (const vb::Error& error) {
        throw conversionError(field, value, error);
    }
}

void bindValue(sqlite3_stmt* statement, int index, const vb::Variant& value)
{
    int rc = SQLITE_OK;
    switch (value.type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null:
        rc = sqlite3_bind_null(statement, index);
        break;
    case vb::VarType::Boolean:
        rc = sqlite3_bind_int64(statement, index, value.toBoolean() ? -1 : 0);
        break;
    case vb::VarType::Byte:
    case vb::VarType::Integer:
    case vb::VarType::Long:
        rc = sqlite3_bind_int64(statement, index, value.toLong());
        break;
    case vb::VarType::Single:
    case vb::VarType::Double:
    case vb::VarType::Currency:
    case vb::VarType::Date:
        rc = sqlite3_bind_double(statement, index, value.toDouble());
        break;
    case vb::VarType::ByteArray: {
        const QByteArray bytes = value.toBytes();
        rc = sqlite3_bind_blob(statement, index, bytes.constData(), static_cast<int>(bytes.size()),
                               SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray utf8 = value.toString().toUtf8();
        rc = sqlite3_bind_text(statement, index, utf8.constData(), static_cast<int>(utf8.size()),
                               SQLITE_TRANSIENT);
        break;
    }
    }
    if (rc != SQLITE_OK) {
        throw Error(ErrorNumber::Unspecified,
                    QStringLiteral("Cannot pass a value to the database engine (SQLite error %1).")
                        .arg(rc));
    }
}

} // namespace jet::detail
