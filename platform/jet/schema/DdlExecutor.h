#pragma once

// Runs a Jet schema statement (CREATE TABLE, ALTER TABLE ADD/ALTER/DROP COLUMN, ADD/DROP
// CONSTRAINT, CREATE INDEX, DROP TABLE, DROP INDEX) through the SchemaEditor, so SQL DDL and
// the ADOX catalog make the same tables.

#include "jet/sql/DdlStatement.h"

#include <QStringList>

struct sqlite3;

namespace jet {

struct ColumnSchema;
struct KeySchema;

class DdlExecutor
{
public:
    explicit DdlExecutor(sqlite3* db) : m_db(db) {}

    // Runs the statement as one unit: on failure nothing of it remains.
    void run(const DdlStatement& statement);

    // The SQLite statements `statement` would run on this database, found by running it and
    // rolling it back (for the SQL shell's translation display).
    QStringList plan(const DdlStatement& statement);

    // The Jet-level column a column definition describes (DDL columns may hold "").
    static ColumnSchema columnSchema(const ColumnDef& column);

private:
    sqlite3* m_db;
};

} // namespace jet
