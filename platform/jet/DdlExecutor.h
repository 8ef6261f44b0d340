#pragma once

// Runs a Jet schema statement (CREATE TABLE, ALTER TABLE ADD/DROP COLUMN, CREATE INDEX,
// DROP TABLE, DROP INDEX) on SQLite. Columns are declared with their Jet type word (TEXT(n),
// SHORT, DATETIME, BIT, CURRENCY, ...) chosen so SQLite's type affinity stores the values the
// way the engine expects, text columns use the JET collation and TEXT(n) is limited to n
// characters. A counter that is the table's only key becomes SQLite's auto-numbered row key.
// Index names are Jet's, which are unique per table only, so SQLite holds them as
// "<table>.<index>". Changes SQLite cannot make in place (ALTER COLUMN, ADD/DROP CONSTRAINT)
// are refused with a clear error.

#include "sql/DdlStatement.h"

struct sqlite3;

namespace jet {

class DdlExecutor
{
public:
    explicit DdlExecutor(sqlite3* db) : m_db(db) {}

    // Runs the statement as one unit: on failure nothing of it remains.
    void run(const DdlStatement& statement);

    // The SQLite statements that carry out `statement`; raises for what is not supported.
    static QString sql(const DdlStatement& statement);

    // The SQLite column declaration of a Jet column (without the name).
    static QString columnDeclaration(const ColumnDef& column, bool soleCounterKey);
    // SQLite's name of a Jet index of `table`.
    static QString indexName(const QString& table, const QString& index);

private:
    sqlite3* m_db;
};

} // namespace jet
