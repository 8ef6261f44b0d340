// Tables built through the catalog the way the update procedures build them, read back through
// a new catalog and through the engine's own description.

#include "jet/adox/Catalog.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace jet::adox {
namespace {

class CatalogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_connection.open(m_database.connectionString());
        m_catalog.setActiveConnection(m_connection.connectionString());
    }

    // tblRegions with a counter key, as an update makes a table.
    void appendRegions()
    {
        Table regions("tblRegions");
        Column id("RegionID", DataType::Integer);
        id.setParentCatalog(&m_catalog);
        id.setProperty("AutoIncrement", true);
        regions.columns().append(id);
        Column name("Region", DataType::VarWChar, 40);
        name.setParentCatalog(&m_catalog);
        name.setProperty("Jet OLEDB:Allow Zero Length", true);
        regions.columns().append(name);
        regions.keys().append("PrimaryKey", KeyType::Primary, "RegionID");
        regions.keys().append("Region", KeyType::Unique, "Region");
        m_catalog.tables().append(regions);
    }

    test::TestDatabase m_database;
    Connection m_connection;
    Catalog m_catalog;
};

TEST_F(CatalogTest, TableBuiltThroughTheCatalogReadsBackExactly)
{
    appendRegions();
    Table wines("tblWines");
    wines.columns().append("WineID", DataType::Integer);
    wines.columns().append("Name", DataType::VarWChar, 50);
    Column notes("Notes", DataType::LongVarWChar);
    notes.setParentCatalog(&m_catalog);
    notes.setProperty("Nullable", true);
    notes.setProperty("Jet OLEDB:Allow Zero Length", true);
    wines.columns().append(notes);
    Column qty("Qty", DataType::SmallInt);
    qty.setParentCatalog(&m_catalog);
    qty.setProperty("Nullable", true);
    qty.setProperty("Default", 0);
    wines.columns().append(qty);
    wines.columns().append("Bought", DataType::Date);
    wines.columns().append("Sold", DataType::Boolean);
    wines.columns().append("Price", DataType::Currency);
    wines.columns().append("Rating", DataType::UnsignedTinyInt);
    wines.columns().append("Alcohol", DataType::Single);
    wines.columns().append("Volume", DataType::Double);
    wines.columns().append("RegionID", DataType::Integer);
    wines.keys().append("PrimaryKey", KeyType::Primary, "WineID");
    Key region("tblRegionstblWines", KeyType::Foreign);
    region.setRelatedTable("tblRegions");
    region.columns().append("RegionID", "RegionID");
    region.setUpdateRule(Rule::Cascade);
    region.setDeleteRule(Rule::Cascade);
    wines.keys().append(region);
    Index byName("idxName");
    byName.columns().append("Name");
    byName.columns().append("Qty").setSortOrder(SortOrder::Descending);
    byName.setIgnoreNulls(true);
    wines.indexes().append(byName);
    m_catalog.tables().append(wines);

    Catalog reader;
    reader.setActiveConnection(m_connection);
    ASSERT_EQ(reader.tables().count(), 2);
    EXPECT_EQ(reader.tables().item(0).name(), "tblRegions");
    Table& table = reader.tables().item("tblWines");
    ASSERT_EQ(table.columns().count(), 11);
    const QList<std::tuple<QString, DataType, int>> expected = {
        {"WineID", DataType::Integer, 0},     {"Name", DataType::VarWChar, 50},
        {"Notes", DataType::LongVarWChar, 0}, {"Qty", DataType::SmallInt, 0},
        {"Bought", DataType::Date, 0},        {"Sold", DataType::Boolean, 0},
        {"Price", DataType::Currency, 0},     {"Rating", DataType::UnsignedTinyInt, 0},
        {"Alcohol", DataType::Single, 0},     {"Volume", DataType::Double, 0},
        {"RegionID", DataType::Integer, 0}};
    for (int i = 0; i < expected.size(); ++i) {
        const Column& column = table.columns().item(i);
        EXPECT_EQ(column.name(), std::get<0>(expected[i]));
        EXPECT_EQ(column.type(), std::get<1>(expected[i])) << i;
        EXPECT_EQ(column.definedSize(), std::get<2>(expected[i])) << i;
    }
    Column& notesBack = table.columns().item("Notes");
    EXPECT_TRUE(notesBack.property("Nullable").toBoolean());
    EXPECT_TRUE(notesBack.property("Jet OLEDB:Allow Zero Length").toBoolean());
    EXPECT_FALSE(table.columns().item("Name").property("Nullable").toBoolean());
    EXPECT_FALSE(table.columns().item("Name").property("Jet OLEDB:Allow Zero Length").toBoolean());
    EXPECT_EQ(table.columns().item("Qty").property("Default").toString(), "0");
    EXPECT_TRUE(reader.tables()
                    .item("tblRegions")
                    .columns()
                    .item("RegionID")
                    .property("AutoIncrement")
                    .toBoolean());

    const Index& index = table.indexes().item("idxName");
    ASSERT_EQ(index.columns().count(), 2);
    EXPECT_EQ(const_cast<Index&>(index).columns().item(1).name(), "Qty");
    EXPECT_EQ(const_cast<Index&>(index).columns().item(1).sortOrder(), SortOrder::Descending);
    EXPECT_TRUE(index.ignoreNulls());
    EXPECT_FALSE(index.unique());
    EXPECT_TRUE(table.indexes().item("PrimaryKey").primaryKey());

    Key& key = table.keys().item("tblRegionstblWines");
    EXPECT_EQ(key.type(), KeyType::Foreign);
    EXPECT_EQ(key.relatedTable(), "tblRegions");
    EXPECT_EQ(key.columns().item(0).relatedColumn(), "RegionID");
    EXPECT_EQ(key.updateRule(), Rule::Cascade);
    EXPECT_EQ(key.deleteRule(), Rule::Cascade);
    EXPECT_EQ(reader.tables().item("tblRegions").keys().item("Region").type(), KeyType::Unique);

    // The engine's description agrees.
    const TableSchema schema = *readTableSchema(m_connection.handle(), "tblWines");
    EXPECT_EQ(schema.columns[1].size, 50);
    EXPECT_FALSE(schema.columns[1].nullable);
    EXPECT_EQ(schema.index("idxName")->columns[1].name, "Qty");
    EXPECT_EQ(schema.key("tblRegionstblWines")->onDelete, ReferentialAction::Cascade);
}

TEST_F(CatalogTest, ColumnsKeepTheirRulesWhenWritten)
{
    appendRegions();
    m_connection.execute("INSERT INTO tblRegions (Region) VALUES ('Rioja')");
    m_connection.execute("INSERT INTO tblRegions (Region) VALUES ('')"); // zero length allowed
    EXPECT_THROW(m_connection.execute("INSERT INTO tblRegions (Region) VALUES ('rioja')"), Error);
    EXPECT_THROW(m_connection.execute("INSERT INTO tblRegions (Region) VALUES (Null)"), Error);
    EXPECT_THROW(
        m_connection.execute("INSERT INTO tblRegions (Region) VALUES ('" + QString(41, 'x') + "')"),
        Error);
    ResultSet rows = m_connection.execute("SELECT Max(RegionID) FROM tblRegions");
    EXPECT_EQ(rows.value(0).toLong(), 2);
}

TEST_F(CatalogTest, DecimalColumnsKeepPrecisionAndScale)
{
    Table rates;
    rates.setName("tblRates");
    Column rate("Rate", DataType::Numeric);
    rate.setPrecision(10);
    rate.setNumericScale(4);
    rate.setAttributes(Nullable);
    rates.columns().append(rate);
    m_catalog.tables().append(rates);
    EXPECT_THROW(Column("Bad", DataType::Numeric).setPrecision(29), Error);
    EXPECT_THROW(Column("Bad", DataType::Numeric).setNumericScale(19), Error);

    Catalog reader;
    reader.setActiveConnection(m_connection);
    const Column& back = reader.tables().item("tblRates").columns().item("Rate");
    EXPECT_EQ(back.type(), DataType::Numeric);
    EXPECT_EQ(back.precision(), 10);
    EXPECT_EQ(back.numericScale(), 4);
    m_connection.execute("INSERT INTO tblRates (Rate) VALUES (1.23456)");
    EXPECT_DOUBLE_EQ(m_connection.execute("SELECT Rate FROM tblRates").value(0).toDouble(), 1.2345);
}

TEST_F(CatalogTest, ProvidersPropertiesNeedTheParentCatalog)
{
    Column free("Note", DataType::VarWChar, 10);
    try {
        free.setProperty("Nullable", true);
        FAIL() << "a property set on a column the provider does not know";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), ErrorNumber::AdoItemNotFound);
    }
    free.setParentCatalog(&m_catalog);
    EXPECT_THROW(free.setProperty("Jet OLEDB:No Such Thing", true), Error);
    EXPECT_THROW(m_catalog.tables().item("tblNone"), Error);
}

TEST_F(CatalogTest, AppendedTableChangesAtOnce)
{
    appendRegions();
    Table& regions = m_catalog.tables().item("tblRegions");
    m_connection.execute("INSERT INTO tblRegions (Region) VALUES ('Rioja')");

    // Columns appended directly or as objects, keys and indexes after the table is appended.
    regions.columns().append("Country", DataType::VarWChar, 30);
    Column code("Code", DataType::VarWChar, 5);
    code.setParentCatalog(&m_catalog);
    code.setProperty("Nullable", true);
    regions.columns().append(code);
    Index byCountry("idxCountry");
    byCountry.columns().append("Country");
    regions.indexes().append(byCountry);
    EXPECT_EQ(regions.columns().count(), 4);
    EXPECT_NE(regions.indexes().find("idxCountry"), nullptr);

    // A property set on a column of the table changes the table.
    regions.columns().item("Country").setProperty("Jet OLEDB:Allow Zero Length", true);
    m_connection.execute("INSERT INTO tblRegions (Region, Country) VALUES ('Douro', '')");
    regions.columns().item("Country").setProperty("Nullable", true);
    m_connection.execute("INSERT INTO tblRegions (Region) VALUES ('Mosel')");

    regions.indexes().remove("idxCountry");
    regions.columns().remove("Country");
    EXPECT_EQ(regions.columns().find("Country"), nullptr);
    regions.keys().remove("Region");
    m_connection.execute("INSERT INTO tblRegions (Region) VALUES ('RIOJA')");
    m_catalog.tables().remove("tblRegions");
    EXPECT_EQ(m_catalog.tables().count(), 0);
    EXPECT_THROW(m_connection.execute("SELECT * FROM tblRegions"), Error);
}

TEST_F(CatalogTest, DuplicateNamesAreRefusedWithoutChange)
{
    appendRegions();
    Table again("tblRegions");
    again.columns().append("A", DataType::Integer);
    EXPECT_THROW(m_catalog.tables().append(again), Error);
    EXPECT_FALSE(again.isAppended());
    Table& regions = m_catalog.tables().item("tblRegions");
    EXPECT_THROW(regions.columns().append("Region", DataType::Integer), Error);
    Key second("Second", KeyType::Primary);
    second.columns().append("Region");
    EXPECT_THROW(regions.keys().append(second), Error);
    EXPECT_EQ(regions.columns().count(), 2);
    EXPECT_EQ(regions.keys().count(), 2);
}

TEST_F(CatalogTest, DefaultOutOfTheFieldsRangeIsRefused)
{
    for (const auto& [type, value] :
         {std::pair{DataType::UnsignedTinyInt, 256}, std::pair{DataType::SmallInt, 32768},
          std::pair{DataType::SmallInt, -32769}}) {
        Table table("tblRange");
        Column column("N", type);
        column.setParentCatalog(&m_catalog);
        column.setProperty("Default", value);
        table.columns().append(column);
        try {
            m_catalog.tables().append(table);
            ADD_FAILURE() << "default " << value << " accepted";
        } catch (const Error& error) {
            EXPECT_TRUE(error.description().startsWith("Numeric field overflow."))
                << error.description().toStdString();
        }
        EXPECT_EQ(m_catalog.tables().find("tblRange"), nullptr);
    }
}

} // namespace
} // namespace jet::adox
