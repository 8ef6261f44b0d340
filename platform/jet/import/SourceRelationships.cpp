// Reading MSysRelationships.

#include "platform/jet/import/SourceRelationships.h"

#include "platform/jet/import/MdbFile.h"
#include "platform/jet/import/MdbTools.h"
#include "platform/jet/import/RowReader.h"
#include "platform/jet/import/SourceTable.h"
#include "platform/vb/Error.h"

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

// MSysRelationships.grbit
constexpr int kNoIntegrity = 0x2;
constexpr int kCascadeUpdates = 0x100;
constexpr int kCascadeDeletes = 0x1000;

struct RelationshipColumn
{
    int position = 0;
    QString column;
    QString relatedColumn;
};

} // namespace

QList<SourceRelationship> readRelationships(const MdbFile& file)
{
    const QString systemTable = u"MSysRelationships"_s;
    MdbTablePtr table;
    try {
        table = file.table(systemTable);
    } catch (const vb::Error&) {
        return {};
    }
    const SourceTable source = readSourceTable(file, table.get());
    const auto at = [&](const QString& name) { return source.schema.columnIndex(name); };
    const int name = at(u"szRelationship"_s);
    const int flags = at(u"grbit"_s);
    const int position = at(u"icolumn"_s);
    const int object = at(u"szObject"_s);
    const int column = at(u"szColumn"_s);
    const int referenced = at(u"szReferencedObject"_s);
    const int referencedColumn = at(u"szReferencedColumn"_s);
    if (std::min({name, flags, position, object, column, referenced, referencedColumn}) < 0) {
        return {};
    }
    std::map<QString, SourceRelationship> byName;
    std::map<QString, QList<RelationshipColumn>> columnsByName;
    QStringList order;
    RowReader rows(file, table.get(), source);
    while (rows.next()) {
        const QList<vb::Variant>& row = rows.values();
        const QString key = row[name].toString();
        if (!byName.count(key)) {
            const int grbit = row[flags].isNull() ? 0 : row[flags].toLong();
            SourceRelationship relationship;
            relationship.name = key;
            relationship.table = row[object].toString();
            relationship.relatedTable = row[referenced].toString();
            relationship.enforced = (grbit & kNoIntegrity) == 0;
            relationship.cascadeUpdates = (grbit & kCascadeUpdates) != 0;
            relationship.cascadeDeletes = (grbit & kCascadeDeletes) != 0;
            byName.emplace(key, relationship);
            order.append(key);
        }
        columnsByName[key].append(
            RelationshipColumn{row[position].isNull() ? 0 : row[position].toLong(),
                               row[column].toString(), row[referencedColumn].toString()});
    }
    QList<SourceRelationship> relationships;
    for (const QString& key : order) {
        SourceRelationship relationship = byName.at(key);
        QList<RelationshipColumn> columns = columnsByName.at(key);
        std::sort(columns.begin(), columns.end(),
                  [](const RelationshipColumn& a, const RelationshipColumn& b) {
                      return a.position < b.position;
                  });
        for (const RelationshipColumn& part : columns) {
            relationship.columns.append(part.column);
            relationship.relatedColumns.append(part.relatedColumn);
        }
        relationships.append(relationship);
    }
    return relationships;
}

} // namespace jet::importer
