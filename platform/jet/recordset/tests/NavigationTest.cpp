// Opening recordsets and moving through them: table order, BOF/EOF, counts, fields in their
// Jet types, the keyset fixed at open, and recordsets on SQL text.

#include "CellarFixture.h"
#include "jet/Error.h"
#include "jet/schema/SchemaEditor.h"
#include "vb/OleDate.h"

namespace jet {
namespace {

using test::CellarFixture;
using test::errorNumber;

using NavigationTest = CellarFixture;

TEST_F(NavigationTest, WalksATableInTheOrderRowsWereAdded)
{
    Recordset wines;
    openWines(wines);
    EXPECT_EQ(wines.recordCount(), 4);
    EXPECT_FALSE(wines.bof());
    EXPECT_EQ(labelsToEnd(wines), QStringList({"Margaux", "barolo", "Chablis", "Alba d'Oro"}));
    EXPECT_TRUE(wines.eof());
    EXPECT_EQ(errorNumber([&] { wines.moveNext(); }), test::noCurrentRecord);
    EXPECT_EQ(errorNumber([&] { wines.value(0); }), test::noCurrentRecord);

    wines.moveLast();
    EXPECT_EQ(wines.value("Label").toString(), "Alba d'Oro");
    wines.movePrevious();
    wines.movePrevious();
    wines.movePrevious();
    EXPECT_EQ(wines.value("Label").toString(), "Margaux");
    wines.movePrevious();
    EXPECT_TRUE(wines.bof());
    EXPECT_FALSE(wines.eof());
    EXPECT_EQ(errorNumber([&] { wines.movePrevious(); }), test::noCurrentRecord);
    wines.moveNext();
    EXPECT_EQ(wines.value("Label").toString(), "Margaux");
}

TEST_F(NavigationTest, EmptyTableIsAtBothEnds)
{
    m_connection.execute("DELETE * FROM tblWines");
    Recordset wines;
    openWines(wines);
    EXPECT_TRUE(wines.bof());
    EXPECT_TRUE(wines.eof());
    EXPECT_EQ(wines.recordCount(), 0);
    wines.moveFirst(); // allowed, stays at both ends
    wines.moveLast();
    EXPECT_TRUE(wines.eof());
}

TEST_F(NavigationTest, FieldsCarryTheirJetTypes)
{
    Recordset wines;
    openWines(wines, LockType::ReadOnly);
    ASSERT_EQ(wines.fieldCount(), 8);
    EXPECT_EQ(wines.field(0).name, "WineID");
    EXPECT_EQ(wines.field(0).type, DataType::Integer);
    EXPECT_EQ(wines.field(1).type, DataType::VarWChar);
    EXPECT_EQ(wines.field(1).definedSize, 20);
    EXPECT_EQ(wines.fieldIndex("vintage"), 2);
    EXPECT_EQ(wines.fieldIndex("Nope"), -1);

    EXPECT_EQ(wines.value("Vintage").type(), vb::VarType::Integer);
    EXPECT_EQ(wines.value("Vintage").toLong(), 1998);
    EXPECT_EQ(wines.value("Value").type(), vb::VarType::Currency);
    EXPECT_EQ(wines.value("Value").toCurrency(), vb::Currency::fromDouble(120.5));
    EXPECT_EQ(wines.value("Bought").type(), vb::VarType::Date);
    EXPECT_EQ(vb::OleDate::toDate(wines.value("Bought").toDate()), QDate(2001, 3, 1));
    EXPECT_EQ(wines.value("PreSelect").type(), vb::VarType::Boolean);
    EXPECT_TRUE(wines.value("PreSelect").toBoolean());
    EXPECT_TRUE(wines.value("Region").isString());
    EXPECT_TRUE(wines.value("Note").isNull());
    EXPECT_EQ(wines.value(1).toString(), "Margaux");

    EXPECT_EQ(errorNumber([&] { wines.value("Nope"); }), test::itemNotFound);
    EXPECT_EQ(errorNumber([&] { wines.value(8); }), test::itemNotFound);
}

TEST_F(NavigationTest, KeysetIsFixedAtOpenButValuesAreReadFresh)
{
    Recordset wines;
    openWines(wines, LockType::ReadOnly);
    m_connection.execute("INSERT INTO tblWines (Label) VALUES ('Later')");
    m_connection.execute("UPDATE tblWines SET Vintage = 2001 WHERE Label = 'barolo'");
    EXPECT_EQ(wines.recordCount(), 4);
    EXPECT_EQ(allLabels(wines), QStringList({"Margaux", "barolo", "Chablis", "Alba d'Oro"}));
    wines.moveFirst();
    wines.moveNext();
    EXPECT_EQ(wines.value("Vintage").toLong(), 2001);

    m_connection.execute("DELETE * FROM tblWines WHERE Label = 'Chablis'");
    wines.moveNext();
    EXPECT_EQ(errorNumber([&] { wines.value("Label"); }), test::deletedRow);
    wines.moveNext();
    EXPECT_EQ(wines.value("Label").toString(), "Alba d'Oro");
}

TEST_F(NavigationTest, ForwardOnlyCountsNothingAndDoesNotGoBack)
{
    Recordset wines;
    wines.open("tblWines", m_connection);
    EXPECT_EQ(wines.recordCount(), -1);
    wines.moveNext();
    EXPECT_EQ(errorNumber([&] { wines.movePrevious(); }), static_cast<int>(0x80040E24u));
    EXPECT_EQ(wines.value("Label").toString(), "barolo");
}

TEST_F(NavigationTest, OpensSqlTextReadOnly)
{
    Recordset rows;
    rows.open("SELECT Label, Vintage, Bought + 1 AS NextDay FROM tblWines WHERE [Value] = 0 "
              "ORDER BY Label",
              m_connection, CursorType::Keyset, LockType::Optimistic);
    EXPECT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.value("Label").toString(), "Alba d'Oro");
    EXPECT_EQ(rows.value("Vintage").type(), vb::VarType::Integer);
    EXPECT_EQ(rows.value("NextDay").type(), vb::VarType::Date);
    EXPECT_EQ(errorNumber([&] { rows.setValue("Label", "X"); }), test::notSupported);
    EXPECT_EQ(errorNumber([&] { rows.addNew(); }), test::notSupported);
    EXPECT_EQ(errorNumber([&] { rows.deleteCurrent(); }), test::notSupported);
    EXPECT_EQ(errorNumber([&] { rows.setIndex("PrimaryKey"); }), test::notSupported);

    rows.setSort("Vintage DESC, Label");
    EXPECT_EQ(rows.value("Label").toString(), "barolo");
    rows.setFilter("[Label] Like 'A*'");
    EXPECT_EQ(rows.recordCount(), 1);
    rows.close();
    EXPECT_FALSE(rows.isOpen());
    EXPECT_EQ(errorNumber([&] { rows.moveFirst(); }), static_cast<int>(0x800A0E78u));
}

TEST_F(NavigationTest, OpensAStoredQueryByName)
{
    SchemaEditor(m_connection.handle())
        .saveQuery({"qryCheap",
                    "SELECT Label, [Value] FROM tblWines WHERE [Value] < 20 ORDER BY "
                    "Label DESC",
                    false});
    SchemaEditor(m_connection.handle())
        .saveQuery({"qryAsk", "SELECT Label FROM tblWines WHERE Vintage = [Which year?]", false});
    for (const CommandType type :
         {CommandType::Unknown, CommandType::StoredProc, CommandType::Table}) {
        Recordset cheap;
        cheap.open("[qryCheap]", m_connection, CursorType::Keyset, LockType::Optimistic, type);
        EXPECT_EQ(labelsToEnd(cheap), QStringList({"Chablis", "barolo", "Alba d'Oro"}));
        EXPECT_EQ(cheap.field(1).type, DataType::Currency);
        cheap.moveFirst();
        EXPECT_EQ(errorNumber([&] { cheap.setValue("Label", "x"); }), test::notSupported);
    }
    Recordset ask;
    EXPECT_EQ(errorNumber([&] { ask.open("qryAsk", m_connection); }),
              ErrorNumber::MissingParameters);
    EXPECT_EQ(errorNumber([&] {
                  ask.open("qryCheap", m_connection, CursorType::Keyset, LockType::ReadOnly,
                           CommandType::TableDirect);
              }),
              ErrorNumber::InputTableNotFound);
}

TEST_F(NavigationTest, ReportsWhatCannotBeOpened)
{
    Recordset rows;
    EXPECT_EQ(errorNumber([&] {
                  rows.open("tblMissing", m_connection, CursorType::Keyset, LockType::ReadOnly,
                            CommandType::TableDirect);
              }),
              ErrorNumber::InputTableNotFound);
    EXPECT_FALSE(rows.isOpen());
    EXPECT_EQ(errorNumber([&] {
                  rows.open("UPDATE tblWines SET Vintage = 1", m_connection, CursorType::Keyset);
              }),
              test::invalidArgument);
    EXPECT_EQ(errorNumber([&] { rows.open("SELECT [Nope] FROM tblWines", m_connection); }),
              ErrorNumber::MissingParameters);
    Connection closed;
    EXPECT_EQ(errorNumber([&] { rows.open("tblWines", closed); }),
              ErrorNumber::AdoConnectionUnusable);

    rows.open("tblWines", m_connection);
    EXPECT_EQ(errorNumber([&] { rows.open("tblWines", m_connection); }),
              ErrorNumber::AdoObjectOpen);
}

TEST_F(NavigationTest, MovedRecordsetKeepsItsPlace)
{
    Recordset wines;
    openWines(wines);
    wines.moveNext();
    Recordset moved(std::move(wines));
    EXPECT_FALSE(wines.isOpen());
    EXPECT_EQ(moved.value("Label").toString(), "barolo");
    Recordset other;
    openWines(other, LockType::ReadOnly);
    other = std::move(moved);
    EXPECT_EQ(other.value("Label").toString(), "barolo");
    EXPECT_EQ(other.lockType(), LockType::Optimistic);
}

TEST_F(NavigationTest, ClosingTheConnectionClosesTheRecordset)
{
    Recordset wines;
    openWines(wines);
    m_connection.close();
    EXPECT_FALSE(wines.isOpen());
    EXPECT_EQ(errorNumber([&] { wines.value(0); }), static_cast<int>(0x800A0E78u));
    m_connection.open(connectionString());
    openWines(wines); // a recordset closed that way opens again
    EXPECT_EQ(wines.recordCount(), 4);
}

} // namespace
} // namespace jet
