#pragma once

// What a recordset reads and writes: a user table (updatable), or the rows of a query copied
// once into a temporary table of the session (read-only), so that both are walked, filtered,
// sorted and searched the same way: by rowid, with SQL. Rows are addressed by rowid; a user
// table's rowid order is the order its rows were added.

#include "FilterCriteria.h"
#include "jet/ResultSet.h"
#include "jet/schema/TableSchema.h"
#include "jet/SqliteStatement.h"
#include "vb/Variant.h"

#include <memory>
#include <optional>
#include <QList>
#include <unordered_map>
#include <vector>

struct sqlite3;

namespace jet::detail {

class Session;

// One value per field; nullopt where an edit leaves the field alone.
using FieldValues = std::vector<std::optional<vb::Variant>>;

class RecordSource
{
public:
    // The rows of a user table.
    RecordSource(std::shared_ptr<Session> session, TableSchema table);
    // The rows of a SELECT (SQLite text; resultTypes as the translation inferred them).
    RecordSource(std::shared_ptr<Session> session, const QString& sqliteSelect,
                 const QStringList& resultTypes);
    ~RecordSource();
    RecordSource(const RecordSource&) = delete;
    RecordSource& operator=(const RecordSource&) = delete;

    Session& session() const noexcept { return *m_session; }
    sqlite3* db() const;
    // The table's schema; nullptr for the rows of a query.
    const TableSchema* table() const noexcept { return m_table ? &*m_table : nullptr; }
    const QList<Field>& fields() const noexcept { return m_fields; }
    int fieldIndex(const QString& name) const; // case-insensitive; -1
    QString sqlTable() const { return m_sqlTable; }
    QString sqlColumn(int index) const { return m_sqlColumns.at(index); }
    FieldResolver resolver() const;

    // Rowids of the rows matching `where` (an SQL expression over the columns; empty for
    // all) in the order of `orderBy` (SQL, without the rowid tie-break that is added).
    std::vector<qint64> rowids(const QString& where, const QList<vb::Variant>& parameters,
                               const QString& orderBy);
    // The row's values into `values`; false when no row has that rowid any more.
    bool readRow(qint64 rowid, std::vector<vb::Variant>& values);
    // Inside a batch: finds the row and keeps the table's cursor on it without reading its
    // values, which readLocated() then reads one by one. False when no row has that rowid.
    bool locate(qint64 rowid);
    // The value of field `index` of the row; finds the row again when the cursor has moved on
    // (another row read, the batch ended). Raises the deleted-row error when it is gone.
    vb::Variant readLocated(qint64 rowid, int index);
    // Whether the row passes `where`, through the statement matchStatement() gave for it.
    sqlite3_stmt* matchStatement(const QString& where, int parameterCount);
    bool matches(sqlite3_stmt* statement, qint64 rowid, const QList<vb::Variant>& parameters);
    // Values of the columns from `firstColumn` on of a statement selecting every field.
    void readValues(sqlite3_stmt* statement, int firstColumn,
                    std::vector<vb::Variant>& values) const;

    // Writes; each raises the engine's error and then has changed nothing.
    qint64 insert(const FieldValues& values);
    void update(qint64 rowid, const FieldValues& values);
    void remove(qint64 rowid);

    // A statement prepared once for this source, reset and without bindings.
    sqlite3_stmt* prepared(const QString& sql);
    // Binds `parameters` to ?1, ?2, ... of `statement`.
    static void bindAll(sqlite3_stmt* statement, const QList<vb::Variant>& parameters,
                        int first = 1);
    // Steps; true on a row, false when done; raises the engine's error otherwise.
    bool step(sqlite3_stmt* statement);

private:
    void copyRows(const QString& sqliteSelect, const QStringList& resultTypes);
    bool readAlong(qint64 rowid, std::vector<vb::Variant>& values);
    bool moveCursorTo(qint64 rowid);
    bool cursorOn(qint64 rowid) const;
    sqlite3_stmt* insertStatement(const FieldValues& values);
    sqlite3_stmt* updateStatement(const FieldValues& values);
    QString columnList() const;

    std::shared_ptr<Session> m_session;
    std::optional<TableSchema> m_table;
    QList<Field> m_fields;
    QString m_sqlTable;
    QStringList m_sqlColumns;
    std::unordered_map<QString, StatementHandle> m_statements;
    // Row-by-row statements, by the fields they write: built once, not once per row.
    std::unordered_map<std::vector<bool>, sqlite3_stmt*> m_inserts;
    std::unordered_map<std::vector<bool>, sqlite3_stmt*> m_updates;
    sqlite3_stmt* m_readRow = nullptr;
    sqlite3_stmt* m_cursor = nullptr; // see readAlong()
    quint64 m_cursorBatch = 0;
    qint64 m_cursorRowid = 0;
    sqlite3_stmt* m_remove = nullptr;
};

// Jet's error for a row that is gone (deleted through this recordset or by another user).
Error deletedRowError();

} // namespace jet::detail
