#pragma once

// What one import did: the Jet file and the new database, each table with its rows, the
// relationships carried over, and everything left behind with the reason (fields, defaults,
// indexes, relationships, linked tables, stored queries).

#include <QList>
#include <QString>
#include <QStringList>

namespace jet::importer {

struct ImportedTable
{
    QString name;
    qint64 rows = 0;
};

struct ImportReport
{
    QString source;
    QString target;
    QString format; // "Jet 3 (Access 97)", "Jet 4 (Access 2000-2003)"
    bool encoded = false;
    bool hadPassword = false;
    QList<ImportedTable> tables;
    QStringList relationships; // carried over, with their rules
    QStringList notes;         // what was left behind or changed, and why
    QStringList queries;       // stored queries of the Jet file, none carried over

    qint64 totalRows() const;
    // The report as the user reads it.
    QString toText() const;
};

} // namespace jet::importer
