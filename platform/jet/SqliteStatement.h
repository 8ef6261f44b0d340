#pragma once

// A prepared SQLite statement owned by RAII, and the translation of SQLite's failures into the
// engine's errors. Internal to the engine (the catalog and recordsets use it too).

#include "Error.h"
#include "sqlite/SqliteHandles.h"

#include <functional>
#include <memory>
#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace jet::detail {

// Marks a refused write's message written by the engine itself (a CHECK constraint's name, a
// trigger's RAISE text): what follows it is the description to report as it is.
inline const QString constraintMessageMarker = QStringLiteral("qv|");

// Turns a failed SQLite call (its result code and message) into the error to raise.
using ErrorMapper = std::function<Error(int resultCode, const QString& message)>;

// The engine's error for a failed SQLite call on `db`, in Jet's wording where Jet has one.
Error sqliteError(sqlite3* db, int resultCode);
Error sqliteError(sqlite3* db, int resultCode, const QString& message);

using sqlite::StatementHandle;

class SqliteStatement
{
public:
    // Prepares the first statement of `sql`; the rest of the text is kept in tail().
    SqliteStatement(sqlite3* db, const QString& sql, ErrorMapper mapper = {});

    sqlite3_stmt* get() const noexcept { return m_statement.get(); }
    bool isNull() const noexcept { return !m_statement; } // the text held only blanks
    const QString& tail() const noexcept { return m_tail; }

    void bind(int index, const QString& value);
    void bind(int index, qint64 value);
    void bind(int index, int value) { bind(index, static_cast<qint64>(value)); }
    void bind(int index, const QByteArray& value);

    // True when a row is ready, false when the statement is done.
    bool step();
    // Steps to the end, for statements that return no rows.
    void run();

    QString columnText(int column) const;
    QByteArray columnBlob(int column) const;

    // Hands the statement over (to a result set that outlives this object).
    StatementHandle release() noexcept { return std::move(m_statement); }

private:
    Error fail(int resultCode) const;

    sqlite3* m_db;
    StatementHandle m_statement;
    QString m_tail;
    ErrorMapper m_mapper;
};

// Runs every statement of `sql` to completion.
void exec(sqlite3* db, const QString& sql, const ErrorMapper& mapper = {});

// The first value of the first row of a one-value query (NULL gives 0 / empty).
qint64 queryInt(sqlite3* db, const QString& sql);
QString queryText(sqlite3* db, const QString& sql);

} // namespace jet::detail
