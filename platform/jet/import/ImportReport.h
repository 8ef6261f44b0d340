#pragma once

// What one import did: the Jet file and the new database, each table with its rows, the
// relationships and stored queries carried over, and everything left behind with the reason
// (fields, defaults, indexes, relationships, linked tables, stored queries).

#include <QList>
#include <QString>
#include <QStringList>

namespace jet::importer {

struct ImportedTable
{
    QString name;
    qint64 rows = 0;
};

struct ImportedQuery
{
    QString name;
    bool procedure = false; // else a view
    QStringList parameters; // the values it asks for when run, declared or not
};

struct QueryLeftBehind
{
    QString name;
    QString reason;
    QString jetSql; // its text, for making it again; empty when it could not be written
};

struct ImportReport
{
    QString source;
    QString target;
    QString format; // "Jet 3 (Access 97)", "Jet 4 (Access 2000-2003)"
    bool encoded = false;
    bool hadPassword = false;
    QList<ImportedTable> tables;
    QStringList relationships;    // carried over, with their rules
    QStringList notes;            // what was left behind or changed, and why
    QList<ImportedQuery> queries; // stored queries carried over and verified
    QList<QueryLeftBehind> queriesLeftBehind;
    int formQueries = 0; // hidden record sources of forms and reports, left behind

    qint64 totalRows() const;
    // The report as the user reads it.
    QString toText() const;
};

} // namespace jet::importer
