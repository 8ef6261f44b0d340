// Tables ordered so that related tables come first; keys that cannot be made with their table
// (self references, cycles) come after the rows; relationships Jet does not enforce stay behind.

#include "platform/jet/import/RelationshipPlan.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace jet::importer {
namespace {

SourceRelationship relationship(const QString& name, const QString& table, const QString& related,
                                bool enforced = true)
{
    SourceRelationship r;
    r.name = name;
    r.table = table;
    r.columns = {u"RefID"_s};
    r.relatedTable = related;
    r.relatedColumns = {u"ID"_s};
    r.enforced = enforced;
    return r;
}

TEST(RelationshipPlan, RelatedTablesComeFirstAndCyclesWaitForTheRows)
{
    const QStringList tables{u"Lines"_s, u"Orders"_s, u"Customers"_s, u"Staff"_s, u"A"_s, u"B"_s};
    const RelationshipPlan plan = planRelationships(
        tables, {relationship(u"OrdersLines"_s, u"Lines"_s, u"Orders"_s),
                 relationship(u"CustomersOrders"_s, u"Orders"_s, u"Customers"_s),
                 relationship(u"StaffStaff"_s, u"Staff"_s, u"Staff"_s),
                 relationship(u"AB"_s, u"A"_s, u"B"_s), relationship(u"BA"_s, u"B"_s, u"A"_s),
                 relationship(u"Loose"_s, u"Lines"_s, u"Customers"_s, false),
                 relationship(u"Linked"_s, u"Lines"_s, u"Elsewhere"_s)});
    const auto at = [&](const QString& table) { return plan.tableOrder.indexOf(table); };
    ASSERT_EQ(plan.tableOrder.size(), tables.size());
    EXPECT_LT(at(u"Customers"_s), at(u"Orders"_s));
    EXPECT_LT(at(u"Orders"_s), at(u"Lines"_s));
    EXPECT_EQ(plan.withTable.at(u"Lines"_s).size(), 1);
    EXPECT_EQ(plan.withTable.at(u"Lines"_s).front().name, u"OrdersLines"_s);

    QStringList later;
    for (const auto& [table, key] : plan.afterRows) {
        later.append(table + u"."_s + key.name);
    }
    EXPECT_TRUE(later.contains(u"Staff.StaffStaff"_s));
    // Of the cycle A <-> B one key is made with its table, the other after the rows.
    EXPECT_EQ(later.filter(u"A.AB"_s).size() + later.filter(u"B.BA"_s).size(), 1);
    EXPECT_EQ(plan.withTable.at(u"A"_s).size() + plan.withTable.at(u"B"_s).size(), 1);

    ASSERT_EQ(plan.notes.size(), 1);
    EXPECT_TRUE(plan.notes.front().contains(u"Loose"_s));
    EXPECT_TRUE(plan.notes.front().contains(u"does not enforce"_s));
}

TEST(RelationshipPlan, DescriptionNamesTheRules)
{
    KeySchema key;
    key.name = u"OrdersOrder Details"_s;
    key.columns = {u"OrderID"_s};
    key.relatedTable = u"Orders"_s;
    key.relatedColumns = {u"OrderID"_s};
    key.onDelete = ReferentialAction::Cascade;
    key.onUpdate = ReferentialAction::Cascade;
    EXPECT_EQ(describeRelationship(u"Order Details"_s, key),
              u"OrdersOrder Details: Order Details (OrderID) -> Orders (OrderID), cascading "
              u"updates and cascading deletes"_s);
}

} // namespace
} // namespace jet::importer
