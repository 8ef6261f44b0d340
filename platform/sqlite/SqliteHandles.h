#pragma once

// Owning handles for SQLite's connection and statement objects, for the code that talks to
// SQLite directly (the engine, the registry store, database copies, the sample writer, the
// compaction program). Each caller turns failures into its own errors; these only make sure
// nothing is left open.

#include <memory>
#include <QByteArray>
#include <sqlite3.h>

namespace sqlite {

struct DatabaseCloser
{
    void operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }
};
using DatabaseHandle = std::unique_ptr<sqlite3, DatabaseCloser>;

struct StatementFinalizer
{
    void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Opens `path` with `flags`; the handle is set even when opening fails, so that the caller can
// read the message from it (it is null only when SQLite had no memory for it).
inline int open(const QByteArray& path, int flags, DatabaseHandle& db)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.constData(), &raw, flags, nullptr);
    db.reset(raw);
    return rc;
}

// Prepares the first statement of `sql`; on failure the handle is empty and the result code
// says why (the message is on `db`).
inline int prepare(sqlite3* db, const QByteArray& sql, StatementHandle& statement)
{
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &raw, nullptr);
    statement.reset(rc == SQLITE_OK ? raw : nullptr);
    if (rc != SQLITE_OK)
        sqlite3_finalize(raw);
    return rc;
}

} // namespace sqlite
