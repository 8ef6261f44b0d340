// Jet column types, properties and indexes as the engine's table description.

#include "platform/jet/import/SourceTable.h"

#include "platform/jet/import/MdbFile.h"
#include "platform/jet/import/MdbTools.h"
#include "platform/jet/schema/SqliteTableSql.h"
#include "platform/vb/Error.h"

#include <algorithm>
#include <optional>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

// libmdb's type number for a Jet 4 attachment or multi-value field (ACE only).
constexpr int kComplexType = 0x12;
constexpr int kPrimaryIndex = 1;
constexpr int kRelationshipIndex = 2;

std::optional<JetType> jetType(const MdbColumn& column)
{
    switch (column.col_type) {
    case MDB_BOOL:
        return JetType::YesNo;
    case MDB_BYTE:
        return JetType::Byte;
    case MDB_INT:
        return JetType::Integer;
    case MDB_LONGINT:
        return column.is_long_auto ? JetType::Counter : JetType::Long;
    case MDB_MONEY:
        return JetType::Currency;
    case MDB_FLOAT:
        return JetType::Single;
    case MDB_DOUBLE:
        return JetType::Double;
    case MDB_DATETIME:
        return JetType::DateTime;
    case MDB_BINARY:
        return JetType::Binary;
    case MDB_TEXT:
        return JetType::Text;
    case MDB_OLE:
        return JetType::LongBinary;
    case MDB_MEMO:
        return JetType::Memo;
    case MDB_REPID:
        return JetType::Guid;
    case MDB_NUMERIC:
        return JetType::Decimal;
    default:
        return std::nullopt;
    }
}

std::optional<QString> property(const MdbColumn& column, const char* name)
{
    const char* value = mdb_col_get_prop(&column, name);
    if (!value) {
        return std::nullopt;
    }
    return QString::fromUtf8(value);
}

bool isYes(const std::optional<QString>& value)
{
    return value && value->compare(u"yes"_s, Qt::CaseInsensitive) == 0;
}

// A default the engine can keep: a constant, as Jet SQL writes it. Defaults that compute
// (=Date(), Now()) are left out, since SQLite keeps only constants as defaults.
std::optional<QString> storableDefault(QString text)
{
    text = text.trimmed();
    if (text.startsWith(u'=')) {
        text = text.mid(1).trimmed();
    }
    if (text.isEmpty()) {
        return std::nullopt;
    }
    static const QRegularExpression call(u"[A-Za-z_$]\\s*\\("_s);
    if (call.match(text).hasMatch()) {
        return std::nullopt;
    }
    try {
        detail::defaultValueSql(text);
    } catch (const vb::Error&) {
        return std::nullopt;
    }
    return text;
}

int textSize(const MdbFile& file, const MdbColumn& column)
{
    // Jet 4 counts the size of a text field in bytes of UCS-2.
    return file.isJet4() ? column.col_size / 2 : column.col_size;
}

ColumnSchema columnSchema(const MdbFile& file, const QString& table, const MdbColumn& column,
                          JetType type, QStringList& notes)
{
    ColumnSchema schema;
    schema.name = QString::fromUtf8(column.name);
    schema.type = type;
    schema.autoIncrement = type == JetType::Counter;
    if (type == JetType::Text) {
        schema.size = textSize(file, column);
    } else if (type == JetType::Binary) {
        schema.size = column.col_size;
    }
    schema.nullable = !isYes(property(column, "Required"));
    if (schema.isText()) {
        const std::optional<QString> allowZeroLength = property(column, "AllowZeroLength");
        schema.zeroLengthChecked = allowZeroLength.has_value();
        schema.allowZeroLength = isYes(allowZeroLength);
    }
    if (const std::optional<QString> defaultValue = property(column, "DefaultValue")) {
        schema.defaultSql = storableDefault(*defaultValue);
        if (!schema.defaultSql) {
            notes.append(u"Default value %1 of field %2.%3 not carried over: the engine keeps "
                         u"only constant defaults."_s.arg(*defaultValue, table, schema.name));
        }
    }
    if (type == JetType::Decimal) {
        // libmdb keeps a Decimal's precision in col_scale and its scale in col_prec (its own
        // schema printout reads them that way round).
        const int precision = column.col_scale;
        const int scale = column.col_prec;
        if (precision >= 1 && precision <= kMaxDecimalPrecision) {
            schema.precision = precision;
            schema.scale = std::clamp(scale, 0, precision);
        }
        notes.append(
            u"Field %1.%2 is Decimal(%3, %4): its precision and scale are kept, its "
            u"values as double-precision numbers (15 significant digits)."_s.arg(table, schema.name)
                .arg(precision)
                .arg(scale));
    }
    return schema;
}

const MdbColumn* columnByNumber(S_MdbTableDef* table, int number)
{
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        if (column->col_num == number) {
            return column;
        }
    }
    return nullptr;
}

void addIndexes(S_MdbTableDef* table, SourceTable& source)
{
    if (!table->indices) {
        return;
    }
    for (unsigned i = 0; i < table->indices->len; ++i) {
        const auto* index = static_cast<MdbIndex*>(g_ptr_array_index(table->indices, i));
        if (index->index_type == kRelationshipIndex) {
            continue;
        }
        IndexSchema schema;
        schema.name = QString::fromUtf8(index->name);
        schema.primary = index->index_type == kPrimaryIndex;
        schema.unique = schema.primary || (index->flags & MDB_IDX_UNIQUE) != 0;
        schema.ignoreNulls = (index->flags & MDB_IDX_IGNORENULLS) != 0;
        schema.disallowNull = schema.primary || (index->flags & MDB_IDX_REQUIRED) != 0;
        bool complete = index->num_keys > 0;
        for (unsigned k = 0; k < index->num_keys && complete; ++k) {
            // Index keys count the table's columns from 1.
            const MdbColumn* column = columnByNumber(table, index->key_col_num[k] - 1);
            complete = column && source.schema.columnIndex(QString::fromUtf8(column->name)) >= 0;
            if (complete) {
                schema.columns.append(IndexColumn{QString::fromUtf8(column->name),
                                                  index->key_col_order[k] == MDB_DESC});
            }
        }
        if (!complete) {
            source.notes.append(u"Index %1 of table %2 not carried over: a field it names was "
                                u"not imported."_s.arg(schema.name, source.name));
            continue;
        }
        source.schema.indexes.append(schema);
    }
}

} // namespace

SourceTable readSourceTable(const MdbFile& file, S_MdbTableDef* table)
{
    SourceTable source;
    source.name = QString::fromUtf8(table->name);
    source.recordedRows = table->num_rows;
    source.schema.name = source.name;
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        const std::optional<JetType> type = jetType(*column);
        if (!type) {
            source.notes.append(
                u"Field %1.%2 not carried over: its type (%3) is one of Access "
                u"2007 and later."_s.arg(source.name, QString::fromUtf8(column->name))
                    .arg(column->col_type == kComplexType ? u"attachment or multi-value"_s
                                                          : QString::number(column->col_type)));
            continue;
        }
        source.schema.columns.append(columnSchema(file, source.name, *column, *type, source.notes));
        source.columns.append(SourceColumn{static_cast<int>(i), column->col_type, column->col_prec,
                                           column->col_scale});
    }
    addIndexes(table, source);
    return source;
}

} // namespace jet::importer
