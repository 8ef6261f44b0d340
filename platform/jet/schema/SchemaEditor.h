#pragma once

// Every change of a database's schema: tables, columns, indexes, keys and stored queries. SQL
// DDL (DdlExecutor) and the ADOX catalog both come here, so both make the same tables. Each
// operation is one unit: it checks what Jet would refuse, writes the Jet-level description to
// MSysJetObjects and the SQLite table, indexes and triggers that hold and enforce it, and on
// failure leaves nothing of itself behind.
//
// SQLite cannot change a column in place: such changes copy the table into a new one (rowids,
// data converted as Jet converts it, indexes, triggers) inside the same unit. Changes that
// every stored row still meets (columns added at the end, Text fields made longer) change
// only the table's definition.

#include "TableSchema.h"

#include <optional>

struct sqlite3;

namespace jet {

class SchemaEditor
{
public:
    explicit SchemaEditor(sqlite3* db) : m_db(db) {}

    // The table with its columns, indexes and keys (a primary or unique key brings its index).
    void createTable(const TableSchema& table);
    void dropTable(const QString& table);

    void addColumn(const QString& table, const ColumnSchema& column);
    // Changes the column of that name to `column` (type, size, properties), converting the
    // values it holds.
    void alterColumn(const QString& table, const ColumnSchema& column);
    void dropColumn(const QString& table, const QString& column);
    // Makes the table match `table` (columns by name, indexes, keys) in one change: one copy
    // of the rows however many columns change.
    void alterTable(const TableSchema& table);

    void createIndex(const QString& table, const IndexSchema& index);
    void dropIndex(const QString& table, const QString& index);

    void addKey(const QString& table, const KeySchema& key);
    // Drops the key of that name with its index, or else the index of that name.
    void dropConstraint(const QString& table, const QString& name);

    // Raises when a table or query of that name exists, unless `replace` and it is a query.
    void saveQuery(const StoredQuerySchema& query, bool replace = false);
    void dropQuery(const QString& name);

private:
    template <typename Change>
    void unit(Change&& change);
    TableSchema existing(const QString& table) const;
    void apply(const std::optional<TableSchema>& before, TableSchema after);
    void rebuild(const TableSchema& before, TableSchema& after);
    // False when SQLite cannot add the new columns in place.
    bool addColumnsInPlace(const TableSchema& before, const TableSchema& after);
    // False when the table's stored definition is not the engine's own.
    bool redefineInPlace(const TableSchema& before, const TableSchema& after);
    void syncIndexes(const TableSchema& before, const TableSchema& after);
    void numberNewCounters(const TableSchema& before, const TableSchema& after);
    void refreshTriggers(const QString& table);
    void checkKey(const TableSchema& table, KeySchema& key) const;
    void checkExistingRows(const TableSchema& table, const KeySchema& key) const;

    sqlite3* m_db;
};

} // namespace jet
