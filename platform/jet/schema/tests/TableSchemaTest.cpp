#include "jet/schema/TableSchema.h"

#include "SchemaTestDatabase.h"

#include <gtest/gtest.h>

namespace jet {
namespace {

class TableSchemaTest : public ::testing::Test
{
protected:
    test::SchemaTestDatabase m_db;

    TableSchema table(const QString& name) const
    {
        const std::optional<TableSchema> schema = readTableSchema(m_db.db(), name);
        EXPECT_TRUE(schema.has_value()) << name.toStdString();
        return schema.value_or(TableSchema{});
    }
};

TEST_F(TableSchemaTest, CreateTableReadsBackJetTypesAndProperties)
{
    m_db.ddl("CREATE TABLE tblWines (WineID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
             "Name TEXT(50) NOT NULL, Notes MEMO, Qty SHORT DEFAULT 0, Bottles LONG, "
             "Rating BYTE, Alcohol SINGLE, Price DOUBLE, Value CURRENCY, Bought DATETIME, "
             "Sold YESNO)");
    const TableSchema wines = table("TBLWINES");
    EXPECT_EQ(wines.name, "tblWines");
    ASSERT_EQ(wines.columns.size(), 11);
    const QList<std::pair<QString, DataType>> expected = {
        {"WineID", DataType::Integer},     {"Name", DataType::VarWChar},
        {"Notes", DataType::LongVarWChar}, {"Qty", DataType::SmallInt},
        {"Bottles", DataType::Integer},    {"Rating", DataType::UnsignedTinyInt},
        {"Alcohol", DataType::Single},     {"Price", DataType::Double},
        {"Value", DataType::Currency},     {"Bought", DataType::Date},
        {"Sold", DataType::Boolean}};
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(wines.columns[i].name, expected[i].first);
        EXPECT_EQ(wines.columns[i].adoType(), expected[i].second) << i;
    }
    EXPECT_TRUE(wines.columns[0].autoIncrement);
    EXPECT_EQ(wines.columns[0].type, JetType::Counter);
    EXPECT_EQ(wines.columns[1].size, 50);
    EXPECT_FALSE(wines.columns[1].nullable);
    EXPECT_TRUE(wines.columns[2].nullable);
    EXPECT_EQ(wines.columns[3].defaultSql.value_or("-"), "0");
    EXPECT_EQ(wines.columnIndex("qty"), 3);

    const IndexSchema* primary = wines.primaryIndex();
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(primary->name, "PrimaryKey");
    EXPECT_TRUE(primary->sqliteName.isEmpty()); // the counter is the rowid
    ASSERT_EQ(wines.keys.size(), 1);
    EXPECT_EQ(wines.keys[0].kind, KeySchema::Kind::Primary);
    EXPECT_EQ(wines.keys[0].columns, QStringList{"WineID"});
}

TEST_F(TableSchemaTest, TableNamesInCreationOrderWithoutEngineTables)
{
    m_db.ddl("CREATE TABLE tblZ (A LONG)");
    m_db.ddl("CREATE TABLE tblA (A LONG)");
    m_db.ddl("CREATE TABLE tblM (A LONG)");
    m_db.ddl("ALTER TABLE tblZ ALTER COLUMN A TEXT(10)"); // a rebuild keeps its place
    EXPECT_EQ(tableNames(m_db.db()), (QStringList{"tblZ", "tblA", "tblM"}));
    EXPECT_FALSE(readTableSchema(m_db.db(), "MSysJetObjects").has_value());
    EXPECT_FALSE(readTableSchema(m_db.db(), "tblNone").has_value());
}

TEST_F(TableSchemaTest, IndexesKeepJetNamesPerTableAndColumnOrder)
{
    m_db.ddl("CREATE TABLE tblA (X TEXT(10), Y LONG, Z LONG)");
    m_db.ddl("CREATE TABLE tblB (X TEXT(10))");
    m_db.ddl("CREATE UNIQUE INDEX idx ON tblA (Z DESC, X) WITH IGNORE NULL");
    m_db.ddl("CREATE INDEX idx ON tblB (X)");
    m_db.ddl("CREATE INDEX pk ON tblA (Y) WITH PRIMARY");
    const TableSchema a = table("tblA");
    ASSERT_EQ(a.indexes.size(), 2);
    const IndexSchema* idx = a.index("IDX");
    ASSERT_NE(idx, nullptr);
    EXPECT_TRUE(idx->unique);
    EXPECT_TRUE(idx->ignoreNulls);
    EXPECT_FALSE(idx->primary);
    ASSERT_EQ(idx->columns.size(), 2);
    EXPECT_EQ(idx->columns[0].name, "Z");
    EXPECT_TRUE(idx->columns[0].descending);
    EXPECT_EQ(idx->columns[1].name, "X");
    EXPECT_EQ(idx->sqliteName, "tblA.idx");
    EXPECT_EQ(a.primaryIndex()->name, "pk");
    EXPECT_EQ(a.primaryIndex()->sqliteName, "tblA.pk");
    ASSERT_NE(a.key("pk"), nullptr); // a primary index is the primary key
    EXPECT_EQ(table("tblB").index("idx")->sqliteName, "tblB.idx");
    EXPECT_EQ(m_db.integer("SELECT count(*) FROM sqlite_schema WHERE type = 'index' AND name = "
                           "'tblA.idx'"),
              1);
}

TEST_F(TableSchemaTest, TablesOfOlderDatabasesAreRead)
{
    // As the engine declared tables before the catalog kept their description.
    m_db.exec("CREATE TABLE tblOld (ID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT(40) COLLATE "
              "JET NOT NULL CHECK (length(\"Name\") <= 40), Born DATETIME, Flag BIT);"
              "CREATE UNIQUE INDEX \"tblOld.idxName\" ON tblOld (Name)");
    const TableSchema old = table("tblold");
    ASSERT_EQ(old.columns.size(), 4);
    EXPECT_EQ(old.columns[0].type, JetType::Counter);
    EXPECT_EQ(old.columns[1].type, JetType::Text);
    EXPECT_EQ(old.columns[1].size, 40);
    EXPECT_FALSE(old.columns[1].nullable);
    EXPECT_TRUE(old.columns[1].allowZeroLength);
    EXPECT_EQ(old.columns[2].adoType(), DataType::Date);
    EXPECT_EQ(old.columns[3].adoType(), DataType::Boolean);
    ASSERT_NE(old.index("idxName"), nullptr);
    EXPECT_TRUE(old.index("idxName")->unique);
    ASSERT_NE(old.primaryIndex(), nullptr);
    EXPECT_EQ(old.primaryIndex()->columns.front().name, "ID");

    // The catalog takes such a table over on its first change, keeping its rows.
    m_db.exec("INSERT INTO tblOld (Name) VALUES ('Alpha')");
    m_db.ddl("ALTER TABLE tblOld ADD COLUMN Note TEXT(10)");
    m_db.ddl("ALTER TABLE tblOld ALTER COLUMN Name TEXT(60)");
    EXPECT_EQ(table("tblOld").columns[1].size, 60);
    EXPECT_EQ(m_db.text("SELECT Name FROM tblOld WHERE ID = 1"), "Alpha");
    EXPECT_NE(table("tblOld").index("idxName"), nullptr);
    EXPECT_NE(m_db.failure("INSERT INTO tblOld (Name) VALUES ('ALPHA')"), "");
}

} // namespace
} // namespace jet
