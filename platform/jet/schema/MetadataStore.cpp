#include "MetadataStore.h"

#include "jet/SqliteStatement.h"
#include "SchemaJson.h"

#include <sqlite3.h>

namespace jet::detail {

namespace {

enum Kind
{
    GenerationRow = 0,
    TableRow = 1,
    ViewRow = 2,
    ProcedureRow = 3,
};

// The counter row's name cannot be a Jet name (Jet names are never empty).
const QString generationName = QString();

} // namespace

bool MetadataStore::exists() const
{
    SqliteStatement statement(
        m_db, QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?"));
    statement.bind(1, tableName);
    return statement.step();
}

void MetadataStore::ensure()
{
    if (exists()) {
        return;
    }
    exec(m_db, QStringLiteral("CREATE TABLE %1 (Name TEXT NOT NULL PRIMARY KEY COLLATE NOCASE, "
                              "Kind INTEGER NOT NULL, Ordinal INTEGER NOT NULL, "
                              "Definition TEXT NOT NULL)")
                   .arg(tableName));
}

std::optional<TableSchema> MetadataStore::table(const QString& name) const
{
    if (!exists()) {
        return std::nullopt;
    }
    SqliteStatement statement(
        m_db, QStringLiteral("SELECT Name, Definition FROM %1 WHERE Name = ? AND Kind = %2")
                  .arg(tableName)
                  .arg(TableRow));
    statement.bind(1, name);
    if (!statement.step()) {
        return std::nullopt;
    }
    return tableFromJson(statement.columnText(0), statement.columnText(1));
}

std::optional<qint64> MetadataStore::ordinal(const QString& name) const
{
    if (!exists()) {
        return std::nullopt;
    }
    SqliteStatement statement(
        m_db, QStringLiteral("SELECT Ordinal FROM %1 WHERE Name = ? AND Kind <> 0").arg(tableName));
    statement.bind(1, name);
    if (!statement.step()) {
        return std::nullopt;
    }
    return sqlite3_column_int64(statement.get(), 0);
}

void MetadataStore::save(const QString& name, int kind, const QString& definition)
{
    ensure();
    const std::optional<qint64> place = ordinal(name);
    SqliteStatement statement(
        m_db, QStringLiteral("INSERT OR REPLACE INTO %1 (Name, Kind, Ordinal, Definition) VALUES "
                             "(?, ?, coalesce(?, (SELECT max(Ordinal) FROM %1 WHERE Kind <> 0) + "
                             "1, 1), ?)")
                  .arg(tableName));
    statement.bind(1, name);
    statement.bind(2, kind);
    if (place) {
        statement.bind(3, *place);
    }
    statement.bind(4, definition);
    statement.run();
    touch();
}

void MetadataStore::saveTable(const TableSchema& table)
{
    save(table.name, TableRow, toJson(table));
}

void MetadataStore::saveQuery(const StoredQuerySchema& query)
{
    save(query.name, query.procedure ? ProcedureRow : ViewRow, query.jetText);
}

void MetadataStore::remove(const QString& name)
{
    if (!exists()) {
        return;
    }
    SqliteStatement statement(
        m_db, QStringLiteral("DELETE FROM %1 WHERE Name = ? AND Kind <> 0").arg(tableName));
    statement.bind(1, name);
    statement.run();
    touch();
}

QList<StoredQuerySchema> MetadataStore::queries() const
{
    QList<StoredQuerySchema> list;
    if (!exists()) {
        return list;
    }
    SqliteStatement statement(m_db, QStringLiteral("SELECT Name, Definition, Kind FROM %1 WHERE "
                                                   "Kind IN (%2, %3) ORDER BY Ordinal")
                                        .arg(tableName)
                                        .arg(ViewRow)
                                        .arg(ProcedureRow));
    while (statement.step()) {
        list.append(StoredQuerySchema{statement.columnText(0), statement.columnText(1),
                                      sqlite3_column_int(statement.get(), 2) == ProcedureRow});
    }
    return list;
}

std::optional<StoredQuerySchema> MetadataStore::query(const QString& name) const
{
    if (!exists()) {
        return std::nullopt;
    }
    SqliteStatement statement(m_db, QStringLiteral("SELECT Name, Definition, Kind FROM %1 WHERE "
                                                   "Name = ? AND Kind IN (%2, %3)")
                                        .arg(tableName)
                                        .arg(ViewRow)
                                        .arg(ProcedureRow));
    statement.bind(1, name);
    if (!statement.step()) {
        return std::nullopt;
    }
    return StoredQuerySchema{statement.columnText(0), statement.columnText(1),
                             sqlite3_column_int(statement.get(), 2) == ProcedureRow};
}

qint64 MetadataStore::generation() const
{
    if (!exists()) {
        return 0;
    }
    SqliteStatement statement(
        m_db, QStringLiteral("SELECT Ordinal FROM %1 WHERE Name = ? AND Kind = 0").arg(tableName));
    statement.bind(1, generationName);
    return statement.step() ? sqlite3_column_int64(statement.get(), 0) : 0;
}

void MetadataStore::touch()
{
    ensure();
    SqliteStatement statement(
        m_db, QStringLiteral("INSERT INTO %1 (Name, Kind, Ordinal, Definition) VALUES (?, 0, 1, "
                             "'') ON CONFLICT (Name) DO UPDATE SET Ordinal = Ordinal + 1")
                  .arg(tableName));
    statement.bind(1, generationName);
    statement.run();
}

} // namespace jet::detail
