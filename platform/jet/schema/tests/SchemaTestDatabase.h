#pragma once

// An in-memory SQLite database with the engine's SQL functions, for the schema tests.

#include "jet/schema/TableSchema.h"
#include "vb/Error.h"

#include <QString>

struct sqlite3;

namespace jet::test {

class SchemaTestDatabase
{
public:
    SchemaTestDatabase();
    ~SchemaTestDatabase();
    SchemaTestDatabase(const SchemaTestDatabase&) = delete;
    SchemaTestDatabase& operator=(const SchemaTestDatabase&) = delete;

    sqlite3* db() const { return m_db; }

    // Runs plain SQLite SQL; raises the engine's error on failure.
    void exec(const QString& sql) const;
    // Runs Jet DDL through the schema layer.
    void ddl(const QString& jetSql) const;
    // The description of the error `sql` raises, or "" when it succeeds.
    QString failure(const QString& sql) const;
    // The description of the error the Jet DDL statement raises, or "".
    QString ddlFailure(const QString& jetSql) const;
    qint64 integer(const QString& sql) const;
    QString text(const QString& sql) const;

private:
    sqlite3* m_db = nullptr;
};

} // namespace jet::test
