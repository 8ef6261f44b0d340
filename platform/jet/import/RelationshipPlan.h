#pragma once

// Where each relationship of a Jet file is made in the new database: with its table when the
// related table can be made first (tables are ordered so that it is), or after the rows when
// the table refers to itself or to a table that refers back to it. Made with the table, a
// relationship checks each row as it is stored; the engine then builds the table once.

#include "platform/jet/import/SourceRelationships.h"
#include "platform/jet/schema/TableSchema.h"

#include <map>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace jet::importer {

struct RelationshipPlan
{
    QStringList tableOrder; // related (one-side) tables before the tables that refer to them
    std::map<QString, QList<KeySchema>> withTable;
    QList<std::pair<QString, KeySchema>> afterRows; // (table, key)
    QStringList notes;                              // relationships left behind, with the reason
};

// `tables` in the order of the file; relationships between other tables are left out silently
// (they join tables that are not imported: linked or system tables).
RelationshipPlan planRelationships(const QStringList& tables,
                                   const QList<SourceRelationship>& relationships);

// "CustomersOrders: Orders (CustomerID) -> Customers (CustomerID), cascading updates"
QString describeRelationship(const QString& table, const KeySchema& key);

} // namespace jet::importer
