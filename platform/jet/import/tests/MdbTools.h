#pragma once

// The importer's test files and mdbtools' own programs (mdb-export, mdb-sql, mdb-tables) as
// the independent readers of a Jet file.

#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

namespace jet::importer::test {

// ../shared/testdata/access beside the source tree; empty when it is missing.
QString accessDataDir();
QString accessFile(const QString& name);

// One exported row: each field as mdb-export prints it, nullopt for Null.
using ExportedRow = QList<std::optional<QString>>;

struct ExportedTable
{
    QStringList columns;
    QList<ExportedRow> rows;
};

// mdb-export's CSV of a table: dates as "yyyy-MM-dd hh:mm:ss", binary as hex, Yes/No as 1/0.
ExportedTable mdbExport(const QString& file, const QString& table);
QStringList mdbTables(const QString& file);
// "select count(*) from <table>" through mdb-sql.
qint64 mdbSqlCount(const QString& file, const QString& table);

// A stored query as the test data's "<file>.queries.sql" lists it: the SQL Access shows, as a
// Jet reader other than ours rebuilt it from the file.
struct SavedQuery
{
    QString name;
    QString type; // SELECT, UNION, CROSS_TAB, APPEND, UPDATE, DELETE, ...
    QString sql;
};
QList<SavedQuery> savedQueries(const QString& jetFile);

} // namespace jet::importer::test
