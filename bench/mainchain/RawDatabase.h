#pragma once

// A SQLite connection and its prepared statements for the bench's hand-written side: plain
// sqlite3 calls with typed binds and reads, every failure stopping the bench with SQLite's
// message.

#include "platform/sqlite/SqliteHandles.h"
#include "vb/Variant.h"

#include <QString>

namespace mainchain {

class RawStatement
{
public:
    RawStatement(sqlite3* db, const QString& sql);

    RawStatement& bind(int index, qint64 value);
    RawStatement& bind(int index, double value);
    RawStatement& bind(int index, const QString& value);
    RawStatement& bindNull(int index);
    // Binds a Variant by its kind: Null, a whole number, a date or other number, else its text.
    RawStatement& bind(int index, const vb::Variant& value);

    // Steps once: true while there is a row to read.
    bool step();
    // Steps to the end and makes the statement ready for the next binds.
    void run();
    void reset();
    sqlite3_stmt* handle() const { return m_statement.get(); }

    bool isNull(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    QString text(int column) const;
    // The column as the vb functions take it: Null, Long or Double, or String.
    vb::Variant variant(int column) const;

private:
    sqlite3* m_db;
    sqlite::StatementHandle m_statement;
};

class RawDatabase
{
public:
    explicit RawDatabase(const QString& path);

    sqlite3* handle() const { return m_db.get(); }
    void exec(const QString& sql) const;
    RawStatement prepare(const QString& sql) const { return RawStatement(m_db.get(), sql); }
    // The first column of the first row of `sql`, as a Variant (Null when there is no row).
    vb::Variant value(const QString& sql) const;

    bool hasTable(const QString& table) const;
    bool hasIndex(const QString& index) const;
    bool hasColumn(const QString& table, const QString& column) const;
    // ALTER TABLE ... ADD COLUMN unless the table has the column already.
    void addColumnIfMissing(const QString& table, const QString& column,
                            const QString& definition) const;

private:
    sqlite::DatabaseHandle m_db;
};

// A SQLite value as the vb functions take it: Null, Long (or Double beyond a Long), Double or
// String.
vb::Variant variantOf(sqlite3_value* value);
// A name as an SQLite identifier.
QString quoted(const QString& name);

} // namespace mainchain
