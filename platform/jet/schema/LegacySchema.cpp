#include "LegacySchema.h"

#include "jet/SqliteStatement.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace jet::detail {

namespace {

bool isAutoIncrementTable(sqlite3* db, const QString& table)
{
    SqliteStatement statement(
        db, QStringLiteral("SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ?"));
    statement.bind(1, table);
    return statement.step() &&
           statement.columnText(0).contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
}

ColumnSchema legacyColumn(const QString& name, const QString& declared, bool notNull,
                          const QString& defaultText, bool rowidCounter)
{
    static const QRegularExpression typeWord(QStringLiteral("^\\s*([A-Za-z0-9_]+)\\s*(?:\\(\\s*("
                                                            "\\d+)\\s*(?:,\\s*\\d+\\s*)?\\))?"));
    ColumnSchema column;
    column.name = name;
    column.nullable = !notNull;
    column.allowZeroLength = true; // nothing refused "" in these tables
    const QRegularExpressionMatch match = typeWord.match(declared);
    const QString word = match.hasMatch() ? match.captured(1) : QString();
    column.type = jetTypeFromName(word).value_or(JetType::Text);
    if (word.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0 && !rowidCounter) {
        column.type = JetType::Long;
    }
    if (rowidCounter) {
        column.type = JetType::Counter;
    }
    column.autoIncrement = column.type == JetType::Counter;
    if (column.type == JetType::Text) {
        column.size = match.captured(2).isEmpty() ? 255 : match.captured(2).toInt();
    }
    if (!defaultText.isEmpty()) {
        column.defaultSql = defaultText;
    }
    return column;
}

QList<IndexColumn> indexColumns(sqlite3* db, const QString& index)
{
    QList<IndexColumn> columns;
    SqliteStatement statement(
        db,
        QStringLiteral("SELECT name, desc FROM pragma_index_xinfo(?) WHERE key ORDER BY seqno"));
    statement.bind(1, index);
    while (statement.step()) {
        columns.append(
            IndexColumn{statement.columnText(0), sqlite3_column_int(statement.get(), 1) != 0});
    }
    return columns;
}

void readIndexes(sqlite3* db, TableSchema& table)
{
    SqliteStatement list(
        db, QStringLiteral("SELECT name, \"unique\", origin, partial FROM pragma_index_list(?) "
                           "ORDER BY seq DESC"));
    list.bind(1, table.name);
    int unnamed = 0;
    while (list.step()) {
        IndexSchema index;
        index.sqliteName = list.columnText(0);
        index.unique = sqlite3_column_int(list.get(), 1) != 0;
        index.ignoreNulls = sqlite3_column_int(list.get(), 3) != 0;
        const QString origin = list.columnText(2);
        const QString prefix = table.name + QLatin1Char('.');
        if (origin == QLatin1String("pk")) {
            index.name = QStringLiteral("PrimaryKey");
            index.primary = true;
            index.disallowNull = true;
        } else if (index.sqliteName.startsWith(prefix, Qt::CaseInsensitive)) {
            index.name = index.sqliteName.mid(prefix.size());
        } else {
            index.name = QStringLiteral("Index%1").arg(++unnamed);
        }
        index.columns = indexColumns(db, index.sqliteName);
        table.indexes.append(index);
    }
}

void readForeignKeys(sqlite3* db, TableSchema& table)
{
    SqliteStatement list(db, QStringLiteral("SELECT id, \"table\", \"from\", \"to\", on_update, "
                                            "on_delete FROM pragma_foreign_key_list(?) "
                                            "ORDER BY id, seq"));
    list.bind(1, table.name);
    const auto action = [](const QString& text) {
        if (text == QLatin1String("CASCADE")) {
            return ReferentialAction::Cascade;
        }
        return text == QLatin1String("SET NULL") ? ReferentialAction::SetNull
                                                 : ReferentialAction::NoAction;
    };
    int lastId = -1;
    while (list.step()) {
        const int id = sqlite3_column_int(list.get(), 0);
        if (id != lastId) {
            KeySchema key;
            key.kind = KeySchema::Kind::Foreign;
            key.name = QStringLiteral("%1%2").arg(list.columnText(1), table.name);
            key.relatedTable = list.columnText(1);
            key.onUpdate = action(list.columnText(4));
            key.onDelete = action(list.columnText(5));
            table.keys.append(key);
            lastId = id;
        }
        table.keys.back().columns.append(list.columnText(2));
        table.keys.back().relatedColumns.append(list.columnText(3));
    }
}

} // namespace

TableSchema legacyTableSchema(sqlite3* db, const QString& name)
{
    TableSchema table;
    table.name = name;
    const bool autoIncrement = isAutoIncrementTable(db, name);
    SqliteStatement columns(db, QStringLiteral("SELECT name, type, \"notnull\", dflt_value, pk "
                                               "FROM pragma_table_info(?) ORDER BY cid"));
    columns.bind(1, name);
    int keyColumns = 0;
    QString keyColumn;
    while (columns.step()) {
        const int pk = sqlite3_column_int(columns.get(), 4);
        if (pk > 0) {
            ++keyColumns;
            keyColumn = columns.columnText(0);
        }
        const bool rowidCounter =
            pk == 1 && autoIncrement &&
            columns.columnText(1).compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        table.columns.append(legacyColumn(columns.columnText(0), columns.columnText(1),
                                          sqlite3_column_int(columns.get(), 2) != 0,
                                          columns.columnText(3), rowidCounter));
    }
    readIndexes(db, table);
    // An INTEGER PRIMARY KEY has no SQLite index: the rowid serves it.
    const int keyIndex = keyColumns == 1 ? table.columnIndex(keyColumn) : -1;
    if (keyIndex >= 0 && !table.primaryIndex() &&
        table.columns[keyIndex].type == JetType::Counter) {
        IndexSchema index;
        index.name = QStringLiteral("PrimaryKey");
        index.columns.append(IndexColumn{keyColumn, false});
        index.unique = index.primary = index.disallowNull = true;
        table.indexes.prepend(index);
    }
    if (const IndexSchema* primary = table.primaryIndex()) {
        KeySchema key;
        key.name = primary->name;
        key.kind = KeySchema::Kind::Primary;
        for (const IndexColumn& column : primary->columns) {
            key.columns.append(column.name);
        }
        table.keys.append(key);
    }
    readForeignKeys(db, table);
    return table;
}

} // namespace jet::detail
