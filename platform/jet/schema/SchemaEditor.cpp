#include "SchemaEditor.h"

#include "jet/Error.h"
#include "jet/sql/JetSql.h"
#include "jet/SqliteStatement.h"
#include "MetadataStore.h"
#include "SqliteTableSql.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <sqlite3.h>

namespace jet {

using detail::quoted;

namespace {

const QString rebuildTable = QStringLiteral("MSysJetRebuild");

bool same(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool sameLists(const QStringList& a, const QStringList& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!same(a[i], b[i])) {
            return false;
        }
    }
    return true;
}

Error schemaError(const QString& description)
{
    return Error(ErrorNumber::Unspecified, description);
}

Error notFound(const QString& name)
{
    return Error::inputTableNotFound(name);
}

QStringList indexColumnNames(const IndexSchema& index)
{
    QStringList names;
    for (const IndexColumn& column : index.columns) {
        names.append(column.name);
    }
    return names;
}

void normalizeColumn(const QString& table, ColumnSchema& column)
{
    if (column.name.trimmed().isEmpty()) {
        throw schemaError(QStringLiteral("A field of table '%1' has no name.").arg(table));
    }
    if (column.autoIncrement && column.type != JetType::Long && column.type != JetType::Counter) {
        throw schemaError(QStringLiteral("Field '%1.%2' cannot be an AutoIncrement field: only "
                                         "Long fields number themselves.")
                              .arg(table, column.name));
    }
    if (column.autoIncrement || column.type == JetType::Counter) {
        column.type = JetType::Counter;
        column.autoIncrement = true;
    }
    if (column.type == JetType::Text) {
        column.size = column.size > 0 ? column.size : 255;
        if (column.size > 255) {
            throw schemaError(QStringLiteral("Size of field '%1.%2' is too long: a Text field "
                                             "holds at most 255 characters; use Memo for more.")
                                  .arg(table, column.name));
        }
    } else if (column.type != JetType::Binary) {
        column.size = 0;
    }
    if (!column.isText()) {
        column.allowZeroLength = false;
    }
}

bool servedByRowid(const TableSchema& table, const IndexSchema& index)
{
    if (!index.primary || index.columns.size() != 1) {
        return false;
    }
    const int at = table.columnIndex(index.columns.front().name);
    return at >= 0 && detail::isRowidCounter(table, table.columns[at]);
}

// Keys bring their indexes, a primary index is the primary key, and every index knows the
// SQLite index that serves it.
void normalize(TableSchema& table)
{
    for (ColumnSchema& column : table.columns) {
        normalizeColumn(table.name, column);
    }
    for (const KeySchema& key : table.keys) {
        if (table.index(key.name)) {
            continue;
        }
        IndexSchema index;
        index.name = key.name;
        for (const QString& column : key.columns) {
            index.columns.append(IndexColumn{column, false});
        }
        index.primary = key.kind == KeySchema::Kind::Primary;
        index.unique = key.kind != KeySchema::Kind::Foreign;
        index.disallowNull = index.primary;
        table.indexes.append(index);
    }
    for (const IndexSchema& index : table.indexes) {
        if (index.primary && !table.key(index.name)) {
            KeySchema key;
            key.name = index.name;
            key.kind = KeySchema::Kind::Primary;
            key.columns = indexColumnNames(index);
            table.keys.append(key);
        }
    }
    for (IndexSchema& index : table.indexes) {
        index.unique = index.unique || index.primary;
        if (servedByRowid(table, index)) {
            index.sqliteName.clear();
        } else if (!index.sqliteName.startsWith(QLatin1String("sqlite_autoindex_"))) {
            index.sqliteName = detail::sqliteIndexName(table.name, index.name);
        }
    }
}

void requireColumns(const TableSchema& table, const QStringList& columns, const QString& owner)
{
    if (columns.isEmpty()) {
        throw schemaError(
            QStringLiteral("%1 of table '%2' names no fields.").arg(owner, table.name));
    }
    for (const QString& column : columns) {
        if (table.columnIndex(column) < 0) {
            throw schemaError(QStringLiteral("%1 of table '%2' names the field '%3', which the "
                                             "table does not have.")
                                  .arg(owner, table.name, column));
        }
    }
}

void validate(const TableSchema& table)
{
    if (table.columns.isEmpty()) {
        throw schemaError(
            QStringLiteral("Table '%1' must have at least one field.").arg(table.name));
    }
    for (int i = 0; i < table.columns.size(); ++i) {
        if (table.columnIndex(table.columns[i].name) != i) {
            throw schemaError(QStringLiteral("Field '%1' is defined more than once in table '%2'.")
                                  .arg(table.columns[i].name, table.name));
        }
    }
    int primaries = 0;
    for (int i = 0; i < table.indexes.size(); ++i) {
        const IndexSchema& index = table.indexes[i];
        if (table.index(index.name) != &table.indexes[i]) {
            throw schemaError(QStringLiteral("Table '%1' already has an index named '%2'.")
                                  .arg(table.name, index.name));
        }
        requireColumns(table, indexColumnNames(index),
                       QStringLiteral("Index '%1'").arg(index.name));
        primaries += index.primary ? 1 : 0;
    }
    if (primaries > 1) {
        throw schemaError(QStringLiteral("Primary key already exists on table '%1'; a table has "
                                         "one primary key.")
                              .arg(table.name));
    }
    for (int i = 0; i < table.keys.size(); ++i) {
        const KeySchema& key = table.keys[i];
        if (table.key(key.name) != &table.keys[i]) {
            throw schemaError(QStringLiteral("Table '%1' already has a key named '%2'.")
                                  .arg(table.name, key.name));
        }
        requireColumns(table, key.columns, QStringLiteral("Key '%1'").arg(key.name));
    }
}

// The Jet conversion of a column's values to another type, as SQLite text over `source`.
QString conversion(const ColumnSchema& from, const ColumnSchema& to)
{
    const QString column = quoted(from.name);
    if (from.type == to.type || (from.isText() && to.isText())) {
        return column;
    }
    QString function;
    switch (to.type) {
    case JetType::Text:
    case JetType::Memo:
        function = QStringLiteral("CStr");
        break;
    case JetType::Byte:
        function = QStringLiteral("CByte");
        break;
    case JetType::Integer:
        function = QStringLiteral("CInt");
        break;
    case JetType::Long:
    case JetType::Counter:
        function = QStringLiteral("CLng");
        break;
    case JetType::Single:
        function = QStringLiteral("CSng");
        break;
    case JetType::Double:
        function = QStringLiteral("CDbl");
        break;
    case JetType::Currency:
        function = QStringLiteral("CCur");
        break;
    case JetType::DateTime:
        function = QStringLiteral("CDate");
        break;
    case JetType::YesNo:
        function = QStringLiteral("CBool");
        break;
    default:
        return column;
    }
    QString name = from.name;
    name.replace(QLatin1Char(']'), QStringLiteral("]]"));
    const TranslatedStatement select =
        translate(QStringLiteral("SELECT IIf([%1] Is Null, Null, %2([%1]))").arg(name, function));
    static const QRegularExpression expression(QStringLiteral("^SELECT (.+) AS \"[^\"]*\"$"),
                                               QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = expression.match(select.sqlite);
    if (!match.hasMatch()) {
        throw schemaError(
            QStringLiteral("Cannot convert the values of field '%1'.").arg(from.name));
    }
    return match.captured(1);
}

QList<detail::ReferencingKey> referencingKeys(sqlite3* db, const QString& table)
{
    QList<detail::ReferencingKey> keys;
    for (const QString& name : tableNames(db)) {
        const std::optional<TableSchema> other = readTableSchema(db, name);
        if (!other) {
            continue;
        }
        for (const KeySchema& key : other->keys) {
            if (key.kind == KeySchema::Kind::Foreign && same(key.relatedTable, table)) {
                keys.append(detail::ReferencingKey{other->name, key});
            }
        }
    }
    return keys;
}

bool nativelyReferenced(sqlite3* db, const QString& table)
{
    detail::SqliteStatement statement(
        db, QStringLiteral("SELECT 1 FROM sqlite_schema AS m, pragma_foreign_key_list(m.name) AS f "
                           "WHERE m.type = 'table' AND (f.\"table\" = ?1 COLLATE NOCASE OR m.name "
                           "= ?1 COLLATE NOCASE) LIMIT 1"));
    statement.bind(1, table);
    return statement.step();
}

bool tableExists(sqlite3* db, const QString& name)
{
    detail::SqliteStatement statement(
        db, QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type IN ('table', 'view') AND "
                           "name = ? COLLATE NOCASE"));
    statement.bind(1, name);
    return statement.step();
}

// The default a new column gives the rows already there must pass the column's constraints:
// tried on a scratch row, which raises the error such a row would. Null passes every constraint the
// engine makes.
void checkDefault(sqlite3* db, const TableSchema& table, const ColumnSchema& column)
{
    if (!column.defaultSql || column.type == JetType::Counter ||
        detail::queryInt(
            db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1)").arg(quoted(table.name))) == 0) {
        return;
    }
    const QString scratch = QStringLiteral("temp.\"MSysJetDefaultCheck\"");
    detail::exec(db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(scratch));
    detail::exec(db, QStringLiteral("CREATE TABLE %1 (%2)")
                         .arg(scratch, detail::columnDefinition(table, column)));
    const auto drop = [&] {
        sqlite3_exec(db, "DROP TABLE IF EXISTS temp.\"MSysJetDefaultCheck\"", nullptr, nullptr,
                     nullptr);
    };
    try {
        detail::exec(db, QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(scratch));
    } catch (...) {
        drop();
        throw;
    }
    drop();
}

// True when `after` is `before` with some Text fields made longer and nothing else changed:
// every row already there fits, and is stored as it was.
bool lengthensTextOnly(const TableSchema& before, const TableSchema& after)
{
    if (before.columns.size() != after.columns.size()) {
        return false;
    }
    TableSchema lengthened = before;
    bool longer = false;
    for (qsizetype i = 0; i < after.columns.size(); ++i) {
        ColumnSchema& column = lengthened.columns[i];
        const ColumnSchema& target = after.columns[i];
        if (column.type == JetType::Text && target.type == JetType::Text &&
            same(column.name, target.name) && target.size > column.size) {
            column.size = target.size;
            longer = true;
        }
    }
    return longer && detail::createTableSql(lengthened, after.name) ==
                         detail::createTableSql(after, after.name);
}

qint64 sequenceOf(sqlite3* db, const QString& table)
{
    if (!tableExists(db, QStringLiteral("sqlite_sequence"))) {
        return -1;
    }
    detail::SqliteStatement statement(
        db, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"));
    statement.bind(1, table);
    return statement.step() ? sqlite3_column_int64(statement.get(), 0) : -1;
}

} // namespace

template <typename Change>
void SchemaEditor::unit(Change&& change)
{
    // Older tables may carry SQLite foreign keys, whose actions would fire while a table is
    // copied and dropped; outside a transaction they can be paused for the change.
    const bool pauseForeignKeys =
        sqlite3_get_autocommit(m_db) &&
        detail::queryInt(m_db, QStringLiteral("PRAGMA foreign_keys")) != 0;
    if (pauseForeignKeys) {
        detail::exec(m_db, QStringLiteral("PRAGMA foreign_keys=OFF"));
    }
    const auto restore = [&] {
        if (pauseForeignKeys) {
            sqlite3_exec(m_db, "PRAGMA foreign_keys=ON", nullptr, nullptr, nullptr);
        }
    };
    detail::exec(m_db, QStringLiteral("SAVEPOINT jet_schema"));
    try {
        change();
        detail::exec(m_db, QStringLiteral("RELEASE jet_schema"));
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK TO jet_schema", nullptr, nullptr, nullptr);
        sqlite3_exec(m_db, "RELEASE jet_schema", nullptr, nullptr, nullptr);
        restore();
        throw;
    }
    restore();
}

TableSchema SchemaEditor::existing(const QString& table) const
{
    std::optional<TableSchema> schema = readTableSchema(m_db, table);
    if (!schema) {
        throw notFound(table);
    }
    return *schema;
}

void SchemaEditor::createTable(const TableSchema& table)
{
    unit([&] {
        if (table.name.trimmed().isEmpty()) {
            throw schemaError(QStringLiteral("A table needs a name."));
        }
        if (table.name.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive) ||
            table.name.startsWith(QLatin1String("sqlite"), Qt::CaseInsensitive)) {
            throw schemaError(QStringLiteral("'%1' is a name reserved for the engine's own "
                                             "tables; choose another table name.")
                                  .arg(table.name));
        }
        if (tableExists(m_db, table.name) || storedQuery(m_db, table.name)) {
            throw schemaError(QStringLiteral("Table '%1' already exists.").arg(table.name));
        }
        apply(std::nullopt, table);
    });
}

void SchemaEditor::dropTable(const QString& name)
{
    unit([&] {
        const TableSchema table = existing(name);
        for (const detail::ReferencingKey& child : referencingKeys(m_db, table.name)) {
            if (!same(child.table, table.name)) {
                throw schemaError(QStringLiteral("Cannot delete table '%1'; it participates in "
                                                 "the relationship '%2' with table '%3'. Delete "
                                                 "the relationship first.")
                                      .arg(table.name, child.key.name, child.table));
            }
        }
        detail::exec(m_db, QStringLiteral("DROP TABLE %1").arg(quoted(table.name)));
        detail::MetadataStore(m_db).remove(table.name);
        for (const KeySchema& key : table.keys) {
            if (key.kind == KeySchema::Kind::Foreign && !same(key.relatedTable, table.name)) {
                refreshTriggers(key.relatedTable);
            }
        }
    });
}

void SchemaEditor::addColumn(const QString& name, const ColumnSchema& column)
{
    unit([&] {
        const TableSchema before = existing(name);
        if (before.columnIndex(column.name) >= 0) {
            throw schemaError(QStringLiteral("Field '%1' already exists in table '%2'.")
                                  .arg(column.name, before.name));
        }
        TableSchema after = before;
        after.columns.append(column);
        apply(before, after);
        // A Yes/No field is never Null in Jet: the rows already there read No.
        if (column.type == JetType::YesNo) {
            detail::exec(m_db, QStringLiteral("UPDATE %1 SET %2 = 0 WHERE %2 IS NULL")
                                   .arg(quoted(after.name), quoted(column.name)));
        }
    });
}

void SchemaEditor::alterColumn(const QString& name, const ColumnSchema& column)
{
    unit([&] {
        const TableSchema before = existing(name);
        const int at = before.columnIndex(column.name);
        if (at < 0) {
            throw schemaError(QStringLiteral("Table '%1' has no field '%2' to change.")
                                  .arg(before.name, column.name));
        }
        TableSchema after = before;
        ColumnSchema changed = column;
        changed.name = before.columns[at].name;
        after.columns[at] = changed;
        if (before.columns[at].type != column.type) {
            const QStringList self{changed.name};
            bool related = false;
            for (const KeySchema& key : before.keys) {
                related = related || (key.kind == KeySchema::Kind::Foreign &&
                                      key.columns.contains(changed.name, Qt::CaseInsensitive));
            }
            for (const detail::ReferencingKey& child : referencingKeys(m_db, before.name)) {
                related =
                    related || child.key.relatedColumns.contains(changed.name, Qt::CaseInsensitive);
            }
            if (related) {
                throw schemaError(QStringLiteral("Cannot change the type of field '%1.%2'; it is "
                                                 "part of one or more relationships.")
                                      .arg(before.name, changed.name));
            }
        }
        apply(before, after);
    });
}

void SchemaEditor::dropColumn(const QString& name, const QString& column)
{
    unit([&] {
        const TableSchema before = existing(name);
        const int at = before.columnIndex(column);
        if (at < 0) {
            throw schemaError(
                QStringLiteral("Table '%1' has no field '%2' to delete.").arg(before.name, column));
        }
        for (const IndexSchema& index : before.indexes) {
            if (indexColumnNames(index).contains(column, Qt::CaseInsensitive)) {
                throw schemaError(QStringLiteral("Cannot delete field '%1.%2'; it is part of "
                                                 "index '%3'. Delete the index first.")
                                      .arg(before.name, column, index.name));
            }
        }
        for (const detail::ReferencingKey& child : referencingKeys(m_db, before.name)) {
            if (child.key.relatedColumns.contains(column, Qt::CaseInsensitive)) {
                throw schemaError(QStringLiteral("Cannot delete field '%1.%2'; it is part of the "
                                                 "relationship '%3'.")
                                      .arg(before.name, column, child.key.name));
            }
        }
        TableSchema after = before;
        after.columns.removeAt(at);
        apply(before, after);
    });
}

void SchemaEditor::alterTable(const TableSchema& table)
{
    unit([&] {
        const TableSchema before = existing(table.name);
        TableSchema after = table;
        after.name = before.name;
        for (IndexSchema& index : after.indexes) {
            const IndexSchema* old = before.index(index.name);
            index.sqliteName = old ? old->sqliteName : QString();
        }
        apply(before, after);
        const TableSchema now = existing(before.name);
        for (const KeySchema& key : now.keys) {
            if (key.kind == KeySchema::Kind::Foreign && !before.key(key.name)) {
                checkExistingRows(now, key);
            }
        }
    });
}

void SchemaEditor::createIndex(const QString& name, const IndexSchema& index)
{
    unit([&] {
        const TableSchema before = existing(name);
        if (before.index(index.name) || before.key(index.name)) {
            throw schemaError(QStringLiteral("Table '%1' already has an index named '%2'.")
                                  .arg(before.name, index.name));
        }
        if (index.primary && before.primaryIndex()) {
            throw schemaError(
                QStringLiteral("Primary key already exists on table '%1'.").arg(before.name));
        }
        TableSchema after = before;
        after.indexes.append(index);
        after.indexes.back().sqliteName.clear();
        apply(before, after);
    });
}

void SchemaEditor::dropIndex(const QString& name, const QString& indexName)
{
    unit([&] {
        const TableSchema before = existing(name);
        const IndexSchema* index = before.index(indexName);
        if (!index) {
            throw schemaError(
                QStringLiteral("Table '%1' has no index named '%2'.").arg(before.name, indexName));
        }
        const KeySchema* key = before.key(index->name);
        if (key && key->kind == KeySchema::Kind::Foreign) {
            throw schemaError(QStringLiteral("Cannot delete index '%1' of table '%2'; it serves "
                                             "the relationship of the same name.")
                                  .arg(index->name, before.name));
        }
        dropConstraint(before.name, index->name);
    });
}

void SchemaEditor::addKey(const QString& name, const KeySchema& key)
{
    unit([&] {
        const TableSchema before = existing(name);
        if (before.key(key.name) || before.index(key.name)) {
            throw schemaError(QStringLiteral("Table '%1' already has an index or key named '%2'.")
                                  .arg(before.name, key.name));
        }
        if (key.kind == KeySchema::Kind::Primary && before.primaryIndex()) {
            throw schemaError(
                QStringLiteral("Primary key already exists on table '%1'.").arg(before.name));
        }
        TableSchema after = before;
        after.keys.append(key);
        apply(before, after);
        if (key.kind == KeySchema::Kind::Foreign) {
            const TableSchema now = existing(name);
            checkExistingRows(now, *now.key(key.name));
        }
    });
}

void SchemaEditor::dropConstraint(const QString& name, const QString& constraint)
{
    unit([&] {
        const TableSchema before = existing(name);
        const KeySchema* key = before.key(constraint);
        const IndexSchema* index = before.index(constraint);
        if (!key && !index) {
            throw schemaError(QStringLiteral("Table '%1' has no constraint or index named '%2'.")
                                  .arg(before.name, constraint));
        }
        const QStringList columns = key ? key->columns : indexColumnNames(*index);
        const bool uniqueKey =
            (key && key->kind != KeySchema::Kind::Foreign) || (index && index->unique);
        if (uniqueKey) {
            for (const detail::ReferencingKey& child : referencingKeys(m_db, before.name)) {
                if (sameLists(child.key.relatedColumns, columns)) {
                    throw schemaError(
                        QStringLiteral("Cannot delete '%1' of table '%2'; the "
                                       "relationship '%3' of table '%4' needs it.")
                            .arg(constraint, before.name, child.key.name, child.table));
                }
            }
        }
        TableSchema after = before;
        after.keys.removeIf([&](const KeySchema& k) { return same(k.name, constraint); });
        after.indexes.removeIf([&](const IndexSchema& i) { return same(i.name, constraint); });
        apply(before, after);
    });
}

void SchemaEditor::saveQuery(const StoredQuerySchema& query, bool replace)
{
    unit([&] {
        if (query.name.trimmed().isEmpty()) {
            throw schemaError(QStringLiteral("A stored query needs a name."));
        }
        if (tableExists(m_db, query.name)) {
            throw schemaError(QStringLiteral("Table '%1' already exists; a query cannot have "
                                             "the name of a table.")
                                  .arg(query.name));
        }
        if (!replace && storedQuery(m_db, query.name)) {
            throw schemaError(QStringLiteral("Object '%1' already exists.").arg(query.name));
        }
        translate(query.jetText); // Jet refuses to store what it cannot parse
        detail::MetadataStore store(m_db);
        StoredQuerySchema saved = query;
        if (const std::optional<StoredQuerySchema> old = storedQuery(m_db, query.name)) {
            saved.name = old->name; // the name keeps its first spelling
        }
        store.saveQuery(saved);
    });
}

void SchemaEditor::dropQuery(const QString& name)
{
    unit([&] {
        if (!storedQuery(m_db, name)) {
            throw notFound(name);
        }
        detail::MetadataStore(m_db).remove(name);
    });
}

void SchemaEditor::checkKey(const TableSchema& table, KeySchema& key) const
{
    if (key.name.trimmed().isEmpty()) {
        throw schemaError(QStringLiteral("A key of table '%1' has no name.").arg(table.name));
    }
    if (key.kind != KeySchema::Kind::Foreign) {
        return;
    }
    const bool self = same(key.relatedTable, table.name);
    const std::optional<TableSchema> related =
        self ? std::optional<TableSchema>(table) : readTableSchema(m_db, key.relatedTable);
    if (!related) {
        throw schemaError(QStringLiteral("The relationship '%1' of table '%2' refers to table "
                                         "'%3', which does not exist.")
                              .arg(key.name, table.name, key.relatedTable));
    }
    key.relatedTable = related->name;
    if (key.relatedColumns.isEmpty()) {
        if (const IndexSchema* primary = related->primaryIndex()) {
            key.relatedColumns = indexColumnNames(*primary);
        }
    }
    if (key.relatedColumns.size() != key.columns.size()) {
        throw schemaError(QStringLiteral("The relationship '%1' of table '%2' pairs %3 fields "
                                         "with %4 fields of table '%5'.")
                              .arg(key.name, table.name)
                              .arg(key.columns.size())
                              .arg(key.relatedColumns.size())
                              .arg(related->name));
    }
    for (QString& column : key.relatedColumns) {
        const int at = related->columnIndex(column);
        if (at < 0) {
            throw schemaError(QStringLiteral("The relationship '%1' refers to field '%2.%3', "
                                             "which does not exist.")
                                  .arg(key.name, related->name, column));
        }
        column = related->columns[at].name;
    }
    for (const IndexSchema& index : related->indexes) {
        if (index.unique && !index.ignoreNulls &&
            sameLists(indexColumnNames(index), key.relatedColumns)) {
            return;
        }
    }
    throw schemaError(
        QStringLiteral("No unique index found for the referenced field of the "
                       "primary table: the relationship '%1' needs a primary key or "
                       "unique index on %2 of table '%3'.")
            .arg(key.name, key.relatedColumns.join(QStringLiteral(", ")), related->name));
}

void SchemaEditor::checkExistingRows(const TableSchema& table, const KeySchema& key) const
{
    QStringList notNull;
    QStringList match;
    for (qsizetype i = 0; i < key.columns.size(); ++i) {
        notNull.append(QStringLiteral("c.%1 IS NOT NULL").arg(quoted(key.columns[i])));
        match.append(QStringLiteral("p.%1 = c.%2")
                         .arg(quoted(key.relatedColumns[i]), quoted(key.columns[i])));
    }
    const qint64 orphans = detail::queryInt(
        m_db, QStringLiteral("SELECT count(*) FROM %1 AS c WHERE %2 AND NOT EXISTS (SELECT 1 FROM "
                             "%3 AS p WHERE %4)")
                  .arg(quoted(table.name), notNull.join(QStringLiteral(" AND ")),
                       quoted(key.relatedTable), match.join(QStringLiteral(" AND "))));
    if (orphans > 0) {
        throw schemaError(QStringLiteral("Cannot create the relationship '%1' and enforce "
                                         "referential integrity: %2 record(s) of table '%3' have "
                                         "no related record in table '%4'.")
                              .arg(key.name)
                              .arg(orphans)
                              .arg(table.name, key.relatedTable));
    }
}

void SchemaEditor::apply(const std::optional<TableSchema>& before, TableSchema after)
{
    normalize(after);
    validate(after);
    for (KeySchema& key : after.keys) {
        checkKey(after, key);
    }
    if (!before) {
        detail::exec(m_db, detail::createTableSql(after, after.name));
        for (const IndexSchema& index : after.indexes) {
            const QString sql = detail::createIndexSql(after, index);
            if (!sql.isEmpty()) {
                detail::exec(m_db, sql);
            }
        }
    } else {
        const QString oldSql = detail::createTableSql(*before, before->name);
        TableSchema withoutAdded = after;
        const bool appendedOnly = after.columns.size() > before->columns.size() && [&] {
            withoutAdded.columns.resize(before->columns.size());
            return detail::createTableSql(withoutAdded, after.name) == oldSql;
        }();
        if (detail::createTableSql(after, after.name) == oldSql) {
            syncIndexes(*before, after);
        } else if (appendedOnly && addColumnsInPlace(*before, after)) {
            syncIndexes(*before, after);
        } else if (lengthensTextOnly(*before, after) && redefineInPlace(*before, after)) {
            syncIndexes(*before, after);
        } else {
            rebuild(*before, after);
        }
    }
    detail::MetadataStore(m_db).saveTable(after);
    refreshTriggers(after.name);
    QStringList parents;
    const std::initializer_list<const TableSchema*> changed = {&after, before ? &*before : nullptr};
    for (const TableSchema* table : changed) {
        for (const KeySchema& key : table ? table->keys : QList<KeySchema>()) {
            if (key.kind == KeySchema::Kind::Foreign && !same(key.relatedTable, after.name) &&
                !parents.contains(key.relatedTable, Qt::CaseInsensitive)) {
                parents.append(key.relatedTable);
            }
        }
    }
    for (const QString& parent : parents) {
        refreshTriggers(parent);
    }
}

bool SchemaEditor::addColumnsInPlace(const TableSchema& before, const TableSchema& after)
{
    for (qsizetype i = before.columns.size(); i < after.columns.size(); ++i) {
        const ColumnSchema& column = after.columns[i];
        // SQLite adds a column in place only with a constant default.
        const bool inPlace =
            !detail::isRowidCounter(after, column) &&
            !(column.defaultSql && detail::defaultValueSql(*column.defaultSql).startsWith('('));
        if (!inPlace) {
            return false;
        }
    }
    for (qsizetype i = before.columns.size(); i < after.columns.size(); ++i) {
        checkDefault(m_db, after, after.columns[i]);
    }
    // SQLite checks every row against every CHECK constraint of a table it adds a column to.
    // The rows passed their constraints when written and all hold the new column's default,
    // which was checked above, so the walk leaves the constraints out.
    const bool ignoredChecks =
        detail::queryInt(m_db, QStringLiteral("PRAGMA ignore_check_constraints")) != 0;
    detail::exec(m_db, QStringLiteral("PRAGMA ignore_check_constraints=ON"));
    const auto restoreChecks = [&] {
        sqlite3_exec(m_db,
                     ignoredChecks ? "PRAGMA ignore_check_constraints=ON"
                                   : "PRAGMA ignore_check_constraints=OFF",
                     nullptr, nullptr, nullptr);
    };
    try {
        for (qsizetype i = before.columns.size(); i < after.columns.size(); ++i) {
            detail::exec(m_db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                   .arg(quoted(after.name),
                                        detail::columnDefinition(after, after.columns[i])));
        }
    } catch (...) {
        restoreChecks();
        throw;
    }
    restoreChecks();
    numberNewCounters(before, after);
    return true;
}

bool SchemaEditor::redefineInPlace(const TableSchema& before, const TableSchema& after)
{
    // The stored definition must be the one the engine wrote, column for column, or the new
    // text could describe the rows differently from how they are stored.
    const QString stored = detail::queryText(
        m_db, QStringLiteral("SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = %1")
                  .arg(detail::sqlLiteral(before.name)));
    if (stored != detail::createTableSql(before, before.name)) {
        return false;
    }
    const QString sql = detail::createTableSql(after, after.name);
    // A definition SQLite could not read would leave the file unreadable: it is tried on a
    // scratch table before it is written.
    QString scratch = detail::createTableSql(after, QStringLiteral("MSysJetRedefine"));
    scratch.replace(0, int(qstrlen("CREATE TABLE")), QStringLiteral("CREATE TEMP TABLE"));
    detail::exec(m_db, scratch);
    detail::exec(m_db, QStringLiteral("DROP TABLE temp.\"MSysJetRedefine\""));

    // SQLite's own way to change constraints that every stored row still meets: the table's
    // text in sqlite_schema is replaced and the schema version raised, so that every
    // connection reads the schema again. A rollback of the unit undoes both.
    const qint64 version = detail::queryInt(m_db, QStringLiteral("PRAGMA schema_version"));
    detail::exec(m_db, QStringLiteral("PRAGMA writable_schema=ON"));
    try {
        detail::SqliteStatement update(
            m_db, QStringLiteral("UPDATE sqlite_schema SET sql = ?1 WHERE type = 'table' AND "
                                 "name = ?2"));
        update.bind(1, sql);
        update.bind(2, before.name);
        update.run();
        detail::exec(m_db, QStringLiteral("PRAGMA schema_version=%1").arg(version + 1));
    } catch (...) {
        sqlite3_exec(m_db, "PRAGMA writable_schema=OFF", nullptr, nullptr, nullptr);
        throw;
    }
    detail::exec(m_db, QStringLiteral("PRAGMA writable_schema=OFF"));
    return true;
}

void SchemaEditor::numberNewCounters(const TableSchema& before, const TableSchema& after)
{
    for (const ColumnSchema& column : after.columns) {
        if (column.type != JetType::Counter || detail::isRowidCounter(after, column)) {
            continue;
        }
        const int old = before.columnIndex(column.name);
        if (old >= 0 && before.columns[old].type == JetType::Counter) {
            continue;
        }
        // Rows already there are numbered in the order they were added, as Jet numbers them.
        detail::exec(m_db, QStringLiteral("UPDATE %1 SET %2 = x.n FROM (SELECT rowid AS r, "
                                          "row_number() OVER (ORDER BY rowid) AS n FROM %1) AS x "
                                          "WHERE %1.rowid = x.r AND %1.%2 IS NULL")
                               .arg(quoted(after.name), quoted(column.name)));
    }
}

void SchemaEditor::syncIndexes(const TableSchema& before, const TableSchema& after)
{
    const auto sqlOf = [](const TableSchema& table, const QString& sqliteName) {
        for (const IndexSchema& index : table.indexes) {
            if (index.sqliteName == sqliteName) {
                return detail::createIndexSql(table, index);
            }
        }
        return QString();
    };
    for (const IndexSchema& index : before.indexes) {
        if (index.sqliteName.isEmpty() ||
            index.sqliteName.startsWith(QLatin1String("sqlite_autoindex_"))) {
            continue;
        }
        if (sqlOf(after, index.sqliteName) != detail::createIndexSql(before, index)) {
            detail::exec(m_db,
                         QStringLiteral("DROP INDEX IF EXISTS %1").arg(quoted(index.sqliteName)));
        }
    }
    for (const IndexSchema& index : after.indexes) {
        const QString sql = detail::createIndexSql(after, index);
        if (!sql.isEmpty() && sqlOf(before, index.sqliteName) != sql) {
            detail::exec(m_db, sql);
        }
    }
}

void SchemaEditor::rebuild(const TableSchema& before, TableSchema& after)
{
    if (detail::queryInt(m_db, QStringLiteral("PRAGMA foreign_keys")) != 0 &&
        nativelyReferenced(m_db, before.name)) {
        throw schemaError(QStringLiteral("Table '%1' takes part in relationships of the older "
                                         "kind and can only be changed outside a transaction. "
                                         "Commit or roll back the transaction and try again.")
                              .arg(before.name));
    }
    for (IndexSchema& index : after.indexes) {
        if (index.sqliteName.startsWith(QLatin1String("sqlite_autoindex_"))) {
            index.sqliteName = detail::sqliteIndexName(after.name, index.name);
        }
    }
    detail::exec(m_db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(quoted(rebuildTable)));
    detail::exec(m_db, detail::createTableSql(after, rebuildTable));

    QStringList targets;
    QStringList sources;
    bool keepsRowid = true;
    for (const ColumnSchema& column : after.columns) {
        keepsRowid = keepsRowid && !detail::isRowidCounter(after, column);
    }
    if (keepsRowid) {
        targets.append(QStringLiteral("rowid"));
        sources.append(QStringLiteral("rowid"));
    }
    for (const ColumnSchema& column : after.columns) {
        const int old = before.columnIndex(column.name);
        if (old < 0) {
            continue;
        }
        targets.append(quoted(column.name));
        sources.append(conversion(before.columns[old], column));
    }
    try {
        detail::exec(m_db, QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4 ORDER BY rowid")
                               .arg(quoted(rebuildTable), targets.join(QStringLiteral(", ")),
                                    sources.join(QStringLiteral(", ")), quoted(before.name)));
    } catch (const vb::Error& error) {
        // A value the new field cannot hold stops the change; say which table kept its shape.
        throw Error(error.number(),
                    QStringLiteral("%1 Table '%2' was left unchanged.")
                        .arg(error.description(), before.name),
                    error.source());
    }
    const qint64 sequence = sequenceOf(m_db, before.name);
    detail::exec(m_db, QStringLiteral("DROP TABLE %1").arg(quoted(before.name)));
    // Renaming must not rewrite the text of triggers of other tables that name this one.
    const qint64 legacyAlter = detail::queryInt(m_db, QStringLiteral("PRAGMA legacy_alter_table"));
    detail::exec(m_db, QStringLiteral("PRAGMA legacy_alter_table=ON"));
    try {
        detail::exec(m_db, QStringLiteral("ALTER TABLE %1 RENAME TO %2")
                               .arg(quoted(rebuildTable), quoted(after.name)));
    } catch (...) {
        sqlite3_exec(m_db,
                     legacyAlter ? "PRAGMA legacy_alter_table=ON" : "PRAGMA legacy_alter_table=OFF",
                     nullptr, nullptr, nullptr);
        throw;
    }
    detail::exec(m_db, legacyAlter ? QStringLiteral("PRAGMA legacy_alter_table=ON")
                                   : QStringLiteral("PRAGMA legacy_alter_table=OFF"));
    if (sequence >= 0 && sequenceOf(m_db, after.name) >= 0) {
        // Numbers given once are not given again, as in Jet.
        detail::SqliteStatement restore(
            m_db, QStringLiteral("UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = ?"));
        restore.bind(1, sequence);
        restore.bind(2, after.name);
        restore.run();
    }
    numberNewCounters(before, after);
    for (const IndexSchema& index : after.indexes) {
        const QString sql = detail::createIndexSql(after, index);
        if (!sql.isEmpty()) {
            detail::exec(m_db, sql);
        }
    }
}

void SchemaEditor::refreshTriggers(const QString& name)
{
    const std::optional<TableSchema> table = readTableSchema(m_db, name);
    if (!table) {
        return;
    }
    // Every trigger dropped or made is a schema change that makes SQLite read the whole schema
    // again; a column added without rules leaves the triggers as they were, so only those whose
    // text differs are replaced.
    QHash<QString, QString> old; // text -> name
    {
        detail::SqliteStatement statement(
            m_db, QStringLiteral("SELECT name, sql FROM sqlite_schema WHERE type = 'trigger' AND "
                                 "tbl_name = ? COLLATE NOCASE AND name LIKE 'jet|%'"));
        statement.bind(1, table->name);
        while (statement.step()) {
            old.insert(statement.columnText(1), statement.columnText(0));
        }
    }
    const QStringList wanted = detail::triggerSql(*table, referencingKeys(m_db, table->name));
    const QSet<QString> kept(wanted.begin(), wanted.end());
    for (auto it = old.cbegin(); it != old.cend(); ++it) {
        if (!kept.contains(it.key())) {
            detail::exec(m_db, QStringLiteral("DROP TRIGGER %1").arg(quoted(it.value())));
        }
    }
    for (const QString& sql : wanted) {
        if (!old.contains(sql)) {
            detail::exec(m_db, sql);
        }
    }
}

} // namespace jet
