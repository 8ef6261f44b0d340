// ALTER COLUMN copies the table into one of the new shape: values are converted as Jet
// converts them, and nothing is lost or cut on the way.

#include "jet/schema/SchemaEditor.h"
#include "SchemaTestDatabase.h"

#include <gtest/gtest.h>

namespace jet {
namespace {

class AlterColumnTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_db.ddl("CREATE TABLE tblWines (WineID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
                 "Name TEXT(30) NOT NULL, Vintage SHORT, Price CURRENCY)");
        m_db.ddl("CREATE UNIQUE INDEX idxName ON tblWines (Name)");
        m_db.exec("INSERT INTO tblWines (Name, Vintage, Price) VALUES ('Alpha', 1995, 12.5), "
                  "('Beta', NULL, 7), ('Gamma', 2001, NULL)");
        m_db.exec("DELETE FROM tblWines WHERE Name = 'Beta'");
    }

    test::SchemaTestDatabase m_db;
};

TEST_F(AlterColumnTest, YearNumberBecomesItsText)
{
    m_db.ddl("ALTER TABLE tblWines ALTER COLUMN Vintage TEXT(4)");
    EXPECT_EQ(m_db.text("SELECT typeof(Vintage) || ':' || Vintage FROM tblWines WHERE WineID = 1"),
              "text:1995");
    const TableSchema wines = *readTableSchema(m_db.db(), "tblWines");
    EXPECT_EQ(wines.columns[2].type, JetType::Text);
    EXPECT_EQ(wines.columns[2].size, 4);
    // Rows keep their row keys and order, indexes and keys stay.
    EXPECT_EQ(m_db.text("SELECT group_concat(WineID || Name, ',') FROM tblWines"), "1Alpha,3Gamma");
    ASSERT_NE(wines.index("idxName"), nullptr);
    ASSERT_NE(wines.primaryIndex(), nullptr);
    EXPECT_NE(m_db.failure("INSERT INTO tblWines (Name) VALUES ('ALPHA')"), "");
    EXPECT_NE(m_db.failure("INSERT INTO tblWines (Name, Vintage) VALUES ('Delta', '19999')"), "");
    // The counter goes on from its highest number ever given.
    m_db.exec("INSERT INTO tblWines (Name) VALUES ('Delta')");
    EXPECT_EQ(m_db.integer("SELECT WineID FROM tblWines WHERE Name = 'Delta'"), 4);
}

TEST_F(AlterColumnTest, TextTooLongForTheNewSizeFailsAndKeepsEverything)
{
    m_db.exec("UPDATE tblWines SET Name = 'A rather long wine name' WHERE WineID = 1");
    const QString before = m_db.text("SELECT group_concat(sql, ';') FROM sqlite_schema");
    const QString error = m_db.failure("SELECT 1"); // nothing pending
    EXPECT_EQ(error, "");
    try {
        m_db.ddl("ALTER TABLE tblWines ALTER COLUMN Name TEXT(10)");
        FAIL() << "the names were cut to ten characters";
    } catch (const vb::Error& failure) {
        EXPECT_TRUE(failure.description().startsWith("The field is too small"));
        EXPECT_TRUE(failure.description().contains("tblWines.Name"));
    }
    EXPECT_EQ(m_db.text("SELECT Name FROM tblWines WHERE WineID = 1"), "A rather long wine name");
    EXPECT_EQ(readTableSchema(m_db.db(), "tblWines")->columns[1].size, 30);
    EXPECT_EQ(m_db.text("SELECT group_concat(sql, ';') FROM sqlite_schema"), before);
}

TEST_F(AlterColumnTest, NumbersConvertAndTextThatIsNoNumberFails)
{
    m_db.ddl("ALTER TABLE tblWines ALTER COLUMN Price DOUBLE");
    EXPECT_EQ(m_db.text("SELECT Price FROM tblWines WHERE WineID = 1"), "12.5");
    m_db.ddl("ALTER TABLE tblWines ALTER COLUMN Vintage LONG");
    m_db.ddl("ALTER TABLE tblWines ALTER COLUMN Vintage TEXT(10)");
    m_db.exec("UPDATE tblWines SET Vintage = 'NV' WHERE WineID = 3");
    EXPECT_THROW(m_db.ddl("ALTER TABLE tblWines ALTER COLUMN Vintage SHORT"), vb::Error);
    EXPECT_EQ(m_db.text("SELECT Vintage FROM tblWines WHERE WineID = 3"), "NV");
    try {
        m_db.ddl("ALTER TABLE tblWines ALTER COLUMN Vintage SHORT");
        FAIL() << "'NV' became a number";
    } catch (const vb::Error& error) {
        EXPECT_TRUE(error.description().endsWith("Table 'tblWines' was left unchanged."))
            << error.description().toStdString();
    }
    m_db.exec("UPDATE tblWines SET Vintage = '70000' WHERE WineID = 3");
    EXPECT_THROW(m_db.ddl("ALTER TABLE tblWines ALTER COLUMN Vintage SHORT"), vb::Error);
    m_db.ddl("ALTER TABLE tblWines ALTER COLUMN Vintage LONG");
    EXPECT_EQ(m_db.integer("SELECT Vintage FROM tblWines WHERE WineID = 3"), 70000);
}

TEST_F(AlterColumnTest, SeveralColumnsChangeInOneCopy)
{
    TableSchema wines = *readTableSchema(m_db.db(), "tblWines");
    wines.columns[1].allowZeroLength = true;
    wines.columns[2].type = JetType::Text;
    wines.columns[2].size = 4;
    wines.columns.append(ColumnSchema{"Grower", JetType::Text, 20, true, true, false, {}});
    SchemaEditor(m_db.db()).alterTable(wines);
    const TableSchema after = *readTableSchema(m_db.db(), "tblWines");
    EXPECT_TRUE(after.columns[1].allowZeroLength);
    EXPECT_EQ(after.columns[2].adoType(), DataType::VarWChar);
    EXPECT_EQ(after.columns[4].name, "Grower");
    EXPECT_NE(after.index("idxName"), nullptr);
    EXPECT_EQ(m_db.text("SELECT Vintage FROM tblWines WHERE WineID = 1"), "1995");
    EXPECT_EQ(m_db.failure("INSERT INTO tblWines (Name, Grower) VALUES ('', '')"), "");
}

TEST_F(AlterColumnTest, LongerTextChangesOnlyTheDefinitionAndCanBeRolledBack)
{
    const qint64 rootPage =
        m_db.integer("SELECT rootpage FROM sqlite_schema WHERE name = 'tblWines'");
    m_db.ddl("ALTER TABLE tblWines ALTER COLUMN Name TEXT(40)");
    EXPECT_EQ(m_db.integer("SELECT rootpage FROM sqlite_schema WHERE name = 'tblWines'"), rootPage);
    EXPECT_EQ(readTableSchema(m_db.db(), "tblWines")->columns[1].size, 40);
    const QString forty(40, QLatin1Char('x'));
    EXPECT_EQ(m_db.failure(QStringLiteral("INSERT INTO tblWines (Name) VALUES ('%1')").arg(forty)),
              "");
    EXPECT_TRUE(
        m_db.failure(QStringLiteral("INSERT INTO tblWines (Name) VALUES ('%1y')").arg(forty))
            .startsWith("The field is too small"));
    // The index, its collation and the counter are as they were.
    EXPECT_NE(m_db.failure("INSERT INTO tblWines (Name) VALUES ('ALPHA')"), "");
    EXPECT_EQ(m_db.text("SELECT group_concat(WineID || Name, ',') FROM tblWines WHERE WineID < 4"),
              "1Alpha,3Gamma");

    m_db.exec("BEGIN");
    m_db.ddl("ALTER TABLE tblWines ALTER COLUMN Name TEXT(50)");
    m_db.exec("ROLLBACK");
    EXPECT_EQ(readTableSchema(m_db.db(), "tblWines")->columns[1].size, 40);
    EXPECT_TRUE(
        m_db.failure(QStringLiteral("UPDATE tblWines SET Name = '%1y' WHERE WineID = 1").arg(forty))
            .startsWith("The field is too small"));
    EXPECT_EQ(m_db.text("PRAGMA integrity_check"), "ok");
}

TEST_F(AlterColumnTest, DropColumnKeepsTheRest)
{
    m_db.ddl("ALTER TABLE tblWines DROP COLUMN Price");
    const TableSchema wines = *readTableSchema(m_db.db(), "tblWines");
    EXPECT_EQ(wines.columns.size(), 3);
    EXPECT_EQ(wines.columnIndex("Price"), -1);
    EXPECT_EQ(m_db.integer("SELECT Vintage FROM tblWines WHERE Name = 'Alpha'"), 1995);
    EXPECT_THROW(m_db.ddl("ALTER TABLE tblWines DROP COLUMN Name"), vb::Error); // indexed
    EXPECT_THROW(m_db.ddl("ALTER TABLE tblWines DROP COLUMN Missing"), vb::Error);
}

} // namespace
} // namespace jet
