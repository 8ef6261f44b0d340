#pragma once

// A table of a Jet file as the engine will hold it: each column with its Jet type, size,
// Required and Allow Zero Length and its default value where the engine can store it, the
// indexes under their Jet names ("PrimaryKey" among them). Relationship indexes are left to
// the keys that bring them. What cannot be carried over is noted, with the reason.

#include "platform/jet/schema/TableSchema.h"

#include <QList>
#include <QString>
#include <QStringList>

struct S_MdbTableDef;

namespace jet::importer {

class MdbFile;

struct SourceColumn
{
    int mdbIndex = 0; // position among the table's libmdb columns
    int mdbType = 0;  // libmdb's type number
    int precision = 0;
    int scale = 0;
};

struct SourceTable
{
    QString name;
    qint64 recordedRows = 0;     // what the table's definition says it holds
    QList<SourceColumn> columns; // parallel to schema.columns
    TableSchema schema;          // columns and indexes; relationships come later
    QStringList notes;
};

SourceTable readSourceTable(const MdbFile& file, S_MdbTableDef* table);

} // namespace jet::importer
