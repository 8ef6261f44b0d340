#include "SqliteValue.h"

#include "vb/Error.h"
#include "vb/OleDate.h"

#include <optional>
#include <sqlite3.h>

namespace jet::sql {

namespace {

// A number with a subtype as the VB value it stands for; nullopt for a plain number.
std::optional<vb::Variant> typedNumber(sqlite3_value* value)
{
    switch (sqlite3_value_subtype(value)) {
    case BooleanSubtype:
        return vb::Variant(sqlite3_value_double(value) != 0);
    case DateSubtype:
        if (const double days = sqlite3_value_double(value); vb::OleDate::isValid(days))
            return vb::Variant::fromDate(days);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace

vb::Variant fromSqlite(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        if (std::optional<vb::Variant> typed = typedNumber(value))
            return *typed;
        return vb::Variant::fromInt64(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        if (std::optional<vb::Variant> typed = typedNumber(value))
            return *typed;
        return vb::Variant(sqlite3_value_double(value));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        return vb::Variant(QString::fromUtf8(text, sqlite3_value_bytes(value)));
    }
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_value_blob(value));
        return vb::Variant(QByteArray(data, sqlite3_value_bytes(value)));
    }
    default:
        return vb::Variant::null();
    }
}

void resultToSqlite(sqlite3_context* context, const vb::Variant& value)
{
    switch (value.type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null:
        sqlite3_result_null(context);
        return;
    case vb::VarType::Boolean:
        sqlite3_result_int(context, value.toBoolean() ? -1 : 0);
        sqlite3_result_subtype(context, BooleanSubtype);
        return;
    case vb::VarType::Byte:
    case vb::VarType::Integer:
    case vb::VarType::Long:
        sqlite3_result_int64(context, value.toLong());
        return;
    case vb::VarType::Single:
    case vb::VarType::Double:
    case vb::VarType::Currency:
        sqlite3_result_double(context, value.toDouble());
        return;
    case vb::VarType::Date:
        sqlite3_result_double(context, value.toDate());
        sqlite3_result_subtype(context, DateSubtype);
        return;
    case vb::VarType::String: {
        const QByteArray utf8 = value.toString().toUtf8();
        sqlite3_result_text64(context, utf8.constData(), sqlite3_uint64(utf8.size()),
                              SQLITE_TRANSIENT, SQLITE_UTF8);
        return;
    }
    case vb::VarType::ByteArray: {
        const QByteArray bytes = value.toBytes();
        sqlite3_result_blob64(context, bytes.constData(), sqlite3_uint64(bytes.size()),
                              SQLITE_TRANSIENT);
        return;
    }
    default:
        throw vb::Error(vb::ErrorNumber::TypeMismatch);
    }
}

} // namespace jet::sql
