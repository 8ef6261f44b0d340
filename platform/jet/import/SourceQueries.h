#pragma once

// The stored queries of a Jet file, each with the Jet SQL written from its MSysQueries rows.

#include "platform/jet/import/QueryDefinition.h"

#include <QList>
#include <QString>

namespace jet::importer {

class MdbFile;

struct SourceQuery
{
    QString name;
    QueryText text;

    // Access keeps the record sources of forms and reports as hidden queries ("~sq_...").
    bool belongsToFormOrReport() const { return name.startsWith(u'~'); }
};

// In the order of the file's catalog. Raises, naming MSysQueries, when its rows cannot be read.
QList<SourceQuery> readStoredQueries(const MdbFile& file);

} // namespace jet::importer
