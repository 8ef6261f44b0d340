#include "TableSchema.h"

#include "jet/SqliteStatement.h"
#include "LegacySchema.h"
#include "MetadataStore.h"

#include <algorithm>
#include <sqlite3.h>

namespace jet {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// SQLite's name of a user table, found case-insensitively; empty when there is none.
QString sqliteTableName(sqlite3* db, const QString& table)
{
    detail::SqliteStatement statement(
        db, QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND "
                           "name = ? COLLATE NOCASE AND name NOT LIKE 'sqlite%' AND name NOT "
                           "LIKE 'MSys%'"));
    statement.bind(1, table);
    return statement.step() ? statement.columnText(0) : QString();
}

} // namespace

DataType ColumnSchema::adoType() const
{
    switch (type) {
    case JetType::Text:
        return DataType::VarWChar;
    case JetType::Memo:
        return DataType::LongVarWChar;
    case JetType::Byte:
        return DataType::UnsignedTinyInt;
    case JetType::Integer:
        return DataType::SmallInt;
    case JetType::Long:
    case JetType::Counter:
        return DataType::Integer;
    case JetType::Single:
        return DataType::Single;
    case JetType::Double:
        return DataType::Double;
    case JetType::Currency:
        return DataType::Currency;
    case JetType::DateTime:
        return DataType::Date;
    case JetType::YesNo:
        return DataType::Boolean;
    case JetType::Binary:
        return DataType::VarBinary;
    case JetType::LongBinary:
        return DataType::LongVarBinary;
    case JetType::Guid:
        return DataType::Guid;
    case JetType::Decimal:
        return DataType::Numeric;
    case JetType::Value:
        break;
    }
    return DataType::Variant;
}

int TableSchema::columnIndex(const QString& name) const
{
    for (int i = 0; i < columns.size(); ++i) {
        if (sameName(columns[i].name, name)) {
            return i;
        }
    }
    return -1;
}

const IndexSchema* TableSchema::index(const QString& name) const
{
    const auto it = std::find_if(indexes.begin(), indexes.end(), [&](const IndexSchema& index) {
        return sameName(index.name, name);
    });
    return it == indexes.end() ? nullptr : &*it;
}

const IndexSchema* TableSchema::primaryIndex() const
{
    const auto it = std::find_if(indexes.begin(), indexes.end(),
                                 [](const IndexSchema& index) { return index.primary; });
    return it == indexes.end() ? nullptr : &*it;
}

const KeySchema* TableSchema::key(const QString& name) const
{
    const auto it = std::find_if(keys.begin(), keys.end(),
                                 [&](const KeySchema& key) { return sameName(key.name, name); });
    return it == keys.end() ? nullptr : &*it;
}

QStringList tableNames(sqlite3* db)
{
    const detail::MetadataStore store(db);
    QList<std::pair<qint64, QString>> ordered;
    detail::SqliteStatement statement(
        db, QStringLiteral("SELECT name, rowid FROM sqlite_schema WHERE type = 'table' AND name "
                           "NOT LIKE 'sqlite%' AND name NOT LIKE 'MSys%' ORDER BY rowid"));
    while (statement.step()) {
        const QString name = statement.columnText(0);
        // Tables the catalog made keep their creation order through rebuilds; older ones follow
        // in SQLite's order.
        const qint64 place = store.ordinal(name).value_or((qint64{1} << 40) +
                                                          sqlite3_column_int64(statement.get(), 1));
        ordered.append({place, name});
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList names;
    for (const auto& entry : ordered) {
        names.append(entry.second);
    }
    return names;
}

std::optional<TableSchema> readTableSchema(sqlite3* db, const QString& table)
{
    const QString name = sqliteTableName(db, table);
    if (name.isEmpty()) {
        return std::nullopt;
    }
    if (std::optional<TableSchema> described = detail::MetadataStore(db).table(name)) {
        described->name = name;
        return described;
    }
    return detail::legacyTableSchema(db, name);
}

QList<StoredQuerySchema> storedQueries(sqlite3* db)
{
    return detail::MetadataStore(db).queries();
}

std::optional<StoredQuerySchema> storedQuery(sqlite3* db, const QString& name)
{
    return detail::MetadataStore(db).query(name);
}

qint64 schemaGeneration(sqlite3* db)
{
    const qint64 version = detail::queryInt(db, QStringLiteral("PRAGMA schema_version"));
    return (version << 32) + detail::MetadataStore(db).generation();
}

} // namespace jet
