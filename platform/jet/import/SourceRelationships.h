#pragma once

// The relationships a Jet file records (MSysRelationships): for each, the table holding the
// foreign key, its columns, the related table and columns, whether Jet enforces referential
// integrity and its cascade rules.

#include <QList>
#include <QString>
#include <QStringList>

namespace jet::importer {

class MdbFile;

struct SourceRelationship
{
    QString name;
    QString table; // the foreign (many) side
    QStringList columns;
    QString relatedTable; // the primary (one) side
    QStringList relatedColumns;
    bool enforced = true;
    bool cascadeUpdates = false;
    bool cascadeDeletes = false;
};

// Empty when the file has no relationship table.
QList<SourceRelationship> readRelationships(const MdbFile& file);

} // namespace jet::importer
