// Ordering the tables of an import by their relationships.

#include "platform/jet/import/RelationshipPlan.h"

#include <set>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

KeySchema foreignKey(const SourceRelationship& relationship)
{
    KeySchema key;
    key.name = relationship.name;
    key.kind = KeySchema::Kind::Foreign;
    key.columns = relationship.columns;
    key.relatedTable = relationship.relatedTable;
    key.relatedColumns = relationship.relatedColumns;
    key.onUpdate =
        relationship.cascadeUpdates ? ReferentialAction::Cascade : ReferentialAction::NoAction;
    key.onDelete =
        relationship.cascadeDeletes ? ReferentialAction::Cascade : ReferentialAction::NoAction;
    return key;
}

} // namespace

QString describeRelationship(const QString& table, const KeySchema& key)
{
    QString text =
        u"%1: %2 (%3) -> %4 (%5)"_s.arg(key.name, table, key.columns.join(u", "_s),
                                        key.relatedTable, key.relatedColumns.join(u", "_s));
    QStringList rules;
    if (key.onUpdate == ReferentialAction::Cascade) {
        rules.append(u"cascading updates"_s);
    }
    if (key.onDelete == ReferentialAction::Cascade) {
        rules.append(u"cascading deletes"_s);
    }
    return rules.isEmpty() ? text : text + u", "_s + rules.join(u" and "_s);
}

RelationshipPlan planRelationships(const QStringList& tables,
                                   const QList<SourceRelationship>& relationships)
{
    RelationshipPlan plan;
    std::map<QString, QList<KeySchema>> pending; // keys of each table to other tables
    for (const SourceRelationship& relationship : relationships) {
        if (!tables.contains(relationship.table) || !tables.contains(relationship.relatedTable)) {
            continue;
        }
        const KeySchema key = foreignKey(relationship);
        if (!relationship.enforced) {
            plan.notes.append(
                u"Relationship %1 not carried over: the Jet file does not enforce "
                u"its referential integrity."_s.arg(describeRelationship(relationship.table, key)));
        } else if (relationship.table == relationship.relatedTable) {
            plan.afterRows.append({relationship.table, key});
        } else {
            pending[relationship.table].append(key);
        }
    }
    std::set<QString> placed;
    QStringList remaining = tables;
    while (!remaining.isEmpty()) {
        const auto ready = [&](const QString& table) {
            for (const KeySchema& key : pending[table]) {
                if (!placed.count(key.relatedTable)) {
                    return false;
                }
            }
            return true;
        };
        auto next = std::find_if(remaining.begin(), remaining.end(), ready);
        if (next == remaining.end()) {
            // A cycle: its first table is made now, its keys to tables not yet made come later.
            next = remaining.begin();
            QList<KeySchema> now;
            for (const KeySchema& key : pending[*next]) {
                if (placed.count(key.relatedTable)) {
                    now.append(key);
                } else {
                    plan.afterRows.append({*next, key});
                }
            }
            pending[*next] = now;
        }
        const QString table = *next;
        remaining.erase(next);
        placed.insert(table);
        plan.tableOrder.append(table);
        plan.withTable[table] = pending[table];
    }
    return plan;
}

} // namespace jet::importer
