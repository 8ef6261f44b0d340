// What a table refuses, whichever way a row is written: plain SQLite INSERT and UPDATE on the
// table get the same rules and the same messages as Jet SQL.

#include "jet/schema/SchemaEditor.h"
#include "SchemaTestDatabase.h"

#include <gtest/gtest.h>

namespace jet {
namespace {

class ConstraintsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_db.ddl("CREATE TABLE tblWines (WineID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
                 "Name TEXT(10) NOT NULL, Region TEXT(20), Notes MEMO, Qty SHORT)");
    }

    qint64 rows() const { return m_db.integer("SELECT count(*) FROM tblWines"); }

    test::SchemaTestDatabase m_db;
};

TEST_F(ConstraintsTest, RequiredFieldRefusesNullOnInsertAndUpdate)
{
    const QString insert = m_db.failure("INSERT INTO tblWines (Region) VALUES ('Rioja')");
    EXPECT_EQ(insert, "The field 'tblWines.Name' cannot contain a Null value because the Required "
                      "property for this field is set to True. Enter a value in this field.");
    EXPECT_EQ(rows(), 0);
    m_db.exec("INSERT INTO tblWines (Name) VALUES ('Alpha')");
    EXPECT_NE(m_db.failure("UPDATE tblWines SET Name = NULL"), "");
    EXPECT_EQ(m_db.text("SELECT Name FROM tblWines"), "Alpha");
}

TEST_F(ConstraintsTest, TextLongerThanItsSizeIsRefusedNotCut)
{
    EXPECT_EQ(m_db.failure("INSERT INTO tblWines (Name) VALUES ('0123456789')"), "");
    const QString error = m_db.failure("INSERT INTO tblWines (Name) VALUES ('0123456789A')");
    EXPECT_TRUE(error.startsWith("The field is too small to accept the amount of data"));
    EXPECT_TRUE(error.contains("'tblWines.Name'")) << error.toStdString();
    EXPECT_NE(m_db.failure("UPDATE tblWines SET Name = Name || 'x'"), "");
    EXPECT_EQ(m_db.text("SELECT Name FROM tblWines"), "0123456789");
}

// Jet's DDL cannot state Allow Zero Length: such a column reads "not allowed" but takes "" until
// the property is set; once set, the engine holds to it.
TEST_F(ConstraintsTest, ZeroLengthTextOnlyWhereAllowed)
{
    ColumnSchema region = readTableSchema(m_db.db(), "tblWines")->columns[2];
    EXPECT_FALSE(region.allowZeroLength);
    EXPECT_EQ(m_db.failure("INSERT INTO tblWines (Name, Region) VALUES ('A', '')"), "");
    m_db.exec("DELETE FROM tblWines");

    region.zeroLengthChecked = true; // the property set to false explicitly
    SchemaEditor(m_db.db()).alterColumn("tblWines", region);
    EXPECT_EQ(m_db.failure("INSERT INTO tblWines (Name, Region) VALUES ('A', '')"),
              "Field 'tblWines.Region' cannot be a zero-length string.");
    EXPECT_EQ(rows(), 0);

    region.allowZeroLength = true;
    SchemaEditor(m_db.db()).alterColumn("tblWines", region);
    EXPECT_EQ(m_db.failure("INSERT INTO tblWines (Name, Region) VALUES ('A', '')"), "");
    EXPECT_TRUE(readTableSchema(m_db.db(), "tblWines")->columns[2].allowZeroLength);
}

TEST_F(ConstraintsTest, YesNoFieldAddedToRowsReadsNo)
{
    m_db.exec("INSERT INTO tblWines (Name) VALUES ('Alpha'), ('Beta')");
    m_db.ddl("ALTER TABLE tblWines ADD COLUMN PreSelect BIT");
    EXPECT_EQ(m_db.text("SELECT Count(*) FROM tblWines WHERE PreSelect = 0"), "2");
}

TEST_F(ConstraintsTest, UniqueIndexRefusesDuplicatesIgnoringCase)
{
    m_db.ddl("CREATE UNIQUE INDEX idxName ON tblWines (Name)");
    m_db.exec("INSERT INTO tblWines (Name) VALUES ('Alpha')");
    const QString error = m_db.failure("INSERT INTO tblWines (Name) VALUES ('ALPHA')");
    EXPECT_TRUE(error.contains("duplicate values in the index, primary key, or relationship"))
        << error.toStdString();
    EXPECT_EQ(rows(), 1);
    // Existing duplicates stop the index from being made.
    m_db.exec("INSERT INTO tblWines (Name, Region) VALUES ('Beta', 'X'), ('Gamma', 'X')");
    EXPECT_THROW(m_db.ddl("CREATE UNIQUE INDEX idxRegion ON tblWines (Region)"), vb::Error);
    EXPECT_EQ(readTableSchema(m_db.db(), "tblWines")->index("idxRegion"), nullptr);
}

TEST_F(ConstraintsTest, WholeNumbersOutOfTheirFieldsRangeOverflow)
{
    m_db.ddl("CREATE TABLE tblSizes (B BYTE, I SHORT, L LONG)");
    struct Case
    {
        const char* values;
        bool stored;
    };
    for (const Case& c :
         {Case{"(0, -32768, -2147483648)", true}, Case{"(255, 32767, 2147483647)", true},
          Case{"(NULL, NULL, NULL)", true}, Case{"(256, 0, 0)", false}, Case{"(-1, 0, 0)", false},
          Case{"(255.6, 0, 0)", false}, Case{"(0, 32768, 0)", false}, Case{"(0, -32769, 0)", false},
          Case{"(0, 0, 2147483648)", false}}) {
        const QString error =
            m_db.failure(QStringLiteral("INSERT INTO tblSizes VALUES %1").arg(c.values));
        if (c.stored) {
            EXPECT_EQ(error, "") << c.values;
        } else {
            EXPECT_TRUE(error.startsWith("Numeric field overflow.")) << c.values;
        }
    }
    EXPECT_EQ(m_db.integer("SELECT count(*) FROM tblSizes"), 3);
    EXPECT_EQ(m_db.failure("UPDATE tblSizes SET I = I + 1 WHERE I = 32767"),
              "Numeric field overflow. (Field 'tblSizes.I' holds whole numbers from -32768 to "
              "32767.)");
    EXPECT_EQ(m_db.integer("SELECT count(*) FROM tblSizes WHERE I = 32767"), 1);
    // A default the field could never hold is refused when the field is defined.
    EXPECT_TRUE(m_db.ddlFailure("CREATE TABLE tblBad (B BYTE DEFAULT 300)")
                    .startsWith("Numeric field overflow."));
    EXPECT_TRUE(m_db.ddlFailure("ALTER TABLE tblSizes ADD COLUMN S SHORT DEFAULT -40000")
                    .startsWith("Numeric field overflow."));
    EXPECT_EQ(m_db.ddlFailure("ALTER TABLE tblSizes ADD COLUMN T BYTE DEFAULT 255"), "");
}

TEST_F(ConstraintsTest, AddedColumnsKeepEveryRowWithinItsFields)
{
    m_db.ddl("CREATE TABLE tblCodes (ID LONG, Code TEXT(3))");
    m_db.exec("INSERT INTO tblCodes VALUES (1, 'abc'), (2, NULL)");
    // The rows there would hold a default their new field cannot.
    EXPECT_TRUE(m_db.ddlFailure("ALTER TABLE tblCodes ADD COLUMN Region TEXT(2) DEFAULT 'EUR'")
                    .startsWith("The field is too small"));
    EXPECT_LT(readTableSchema(m_db.db(), "tblCodes")->columnIndex("Region"), 0);
    EXPECT_EQ(m_db.ddlFailure("ALTER TABLE tblCodes ADD COLUMN Region TEXT(3) DEFAULT 'EUR'"), "");
    EXPECT_EQ(m_db.integer("SELECT count(*) FROM tblCodes WHERE Region = 'EUR'"), 2);
    // Adding the column left the constraints of every field in force.
    EXPECT_TRUE(m_db.failure("UPDATE tblCodes SET Code = 'abcd'").startsWith("The field is too"));
    EXPECT_TRUE(m_db.failure("INSERT INTO tblCodes (ID, Region) VALUES (3, 'EURO')")
                    .startsWith("The field is too"));
    EXPECT_EQ(m_db.integer("SELECT count(*) FROM tblCodes"), 2);
}

TEST_F(ConstraintsTest, DecimalsKeepTheirPrecisionAndScale)
{
    m_db.ddl("CREATE TABLE tblPrices (ID LONG, Price DECIMAL(6, 2), Whole DECIMAL)");
    const std::optional<TableSchema> schema = readTableSchema(m_db.db(), "tblPrices");
    ASSERT_TRUE(schema);
    EXPECT_EQ(schema->columns[1].precision, 6);
    EXPECT_EQ(schema->columns[1].scale, 2);
    EXPECT_EQ(schema->columns[2].precision, 18);
    EXPECT_EQ(schema->columns[2].scale, 0);

    // Digits past the scale are cut off, not rounded; a decimal text is not bent by binary
    // fractions (1.15 stays 1.15).
    m_db.exec("INSERT INTO tblPrices VALUES (1, 1234.5678, 1.7), (2, -1.159, -2.9), "
              "(3, 1.15, 7), (4, 0.004, NULL), (5, '12.349', 0)");
    EXPECT_EQ(m_db.text("SELECT group_concat(Price, ' ') FROM (SELECT Price FROM tblPrices "
                        "ORDER BY ID)"),
              "1234.56 -1.15 1.15 0 12.34");
    EXPECT_EQ(m_db.text("SELECT group_concat(Whole, ' ') FROM (SELECT Whole FROM tblPrices "
                        "ORDER BY ID)"),
              "1 -2 7 0");
    m_db.exec("UPDATE tblPrices SET Price = 0.129 WHERE ID = 3");
    EXPECT_EQ(m_db.text("SELECT Price FROM tblPrices WHERE ID = 3"), "0.12");

    // More whole digits than the precision leaves room for are refused, whatever the path.
    EXPECT_EQ(m_db.failure("INSERT INTO tblPrices (ID, Price) VALUES (6, 10000)"),
              "The decimal field's precision is too small to accept the numeric you attempted "
              "to add. (Field 'tblPrices.Price' holds 6 digits, 2 of them after the decimal "
              "point.)");
    EXPECT_NE(m_db.failure("UPDATE tblPrices SET Price = -10000.5 WHERE ID = 1"), "");
    EXPECT_EQ(m_db.failure("INSERT INTO tblPrices (ID, Price) VALUES (7, 9999.999)"), "");
    EXPECT_EQ(m_db.text("SELECT Price FROM tblPrices WHERE ID = 7"), "9999.99");
    EXPECT_EQ(m_db.text("SELECT Price FROM tblPrices WHERE ID = 1"), "1234.56");

    EXPECT_FALSE(m_db.ddlFailure("CREATE TABLE tblBad (D DECIMAL(29, 2))").isEmpty());
    EXPECT_FALSE(m_db.ddlFailure("CREATE TABLE tblBad (D DECIMAL(4, 5))").isEmpty());
}

TEST_F(ConstraintsTest, CountersNumberRowsAndNeverReuseNumbers)
{
    m_db.exec("INSERT INTO tblWines (Name) VALUES ('A'), ('B'), ('C')");
    m_db.exec("DELETE FROM tblWines WHERE WineID = 3");
    m_db.exec("INSERT INTO tblWines (Name) VALUES ('D')");
    EXPECT_EQ(m_db.integer("SELECT WineID FROM tblWines WHERE Name = 'D'"), 4);
    EXPECT_EQ(m_db.integer("SELECT WineID FROM tblWines WHERE Name = 'B'"),
              m_db.integer("SELECT rowid FROM tblWines WHERE Name = 'B'"));

    // A counter that is not the only key column is numbered by the engine.
    m_db.ddl("CREATE TABLE tblLog (Entry TEXT(10), Seq COUNTER)");
    m_db.exec("INSERT INTO tblLog (Entry) VALUES ('x'), ('y')");
    EXPECT_EQ(m_db.integer("SELECT Seq FROM tblLog WHERE Entry = 'y'"), 2);
    // It continues from the highest number it ever gave, not from the rows left.
    m_db.exec("DELETE FROM tblLog WHERE Entry = 'y'");
    m_db.exec("INSERT INTO tblLog (Entry) VALUES ('z')");
    EXPECT_EQ(m_db.integer("SELECT Seq FROM tblLog WHERE Entry = 'z'"), 3);
    m_db.exec("INSERT INTO tblLog (Entry, Seq) VALUES ('given', 10)");
    m_db.exec("DELETE FROM tblLog WHERE Seq >= 3");
    m_db.exec("INSERT INTO tblLog (Entry) VALUES ('next')");
    EXPECT_EQ(m_db.integer("SELECT Seq FROM tblLog WHERE Entry = 'next'"), 11);
    m_db.exec("DELETE FROM tblLog");
    m_db.exec("INSERT INTO tblLog (Entry) VALUES ('after all')");
    EXPECT_EQ(m_db.integer("SELECT Seq FROM tblLog"), 12);
    // Added to a table with rows, it numbers them in the order they were added.
    m_db.ddl("ALTER TABLE tblWines ADD COLUMN Serial COUNTER");
    EXPECT_EQ(m_db.integer("SELECT Serial FROM tblWines WHERE Name = 'D'"), 3);
}

TEST_F(ConstraintsTest, PrimaryAndDisallowNullIndexesRefuseNull)
{
    m_db.ddl("CREATE TABLE tblCodes (Code TEXT(5), Label TEXT(20))");
    m_db.ddl("ALTER TABLE tblCodes ADD CONSTRAINT PrimaryKey PRIMARY KEY (Code)");
    const QString error = m_db.failure("INSERT INTO tblCodes (Label) VALUES ('none')");
    EXPECT_TRUE(error.startsWith("Index or primary key cannot contain a Null value."))
        << error.toStdString();
    m_db.exec("INSERT INTO tblCodes VALUES ('A', 'a')");
    EXPECT_NE(m_db.failure("INSERT INTO tblCodes VALUES ('a', 'b')"), "");

    m_db.ddl("CREATE INDEX idxLabel ON tblCodes (Label) WITH DISALLOW NULL");
    EXPECT_NE(m_db.failure("UPDATE tblCodes SET Label = NULL"), "");
    m_db.ddl("DROP INDEX idxLabel ON tblCodes");
    EXPECT_EQ(m_db.failure("UPDATE tblCodes SET Label = NULL"), "");
}

TEST_F(ConstraintsTest, RequiredColumnAddedToFilledTableKeepsOlderRows)
{
    m_db.exec("INSERT INTO tblWines (Name) VALUES ('A')");
    m_db.ddl("ALTER TABLE tblWines ADD COLUMN Grower TEXT(20) NOT NULL");
    EXPECT_EQ(rows(), 1);
    EXPECT_NE(m_db.failure("INSERT INTO tblWines (Name) VALUES ('B')"), "");
    EXPECT_EQ(m_db.failure("INSERT INTO tblWines (Name, Grower) VALUES ('B', 'G')"), "");
}

TEST_F(ConstraintsTest, FailedSchemaChangeLeavesNothingBehind)
{
    const QString before = m_db.text("SELECT group_concat(sql, ';') FROM sqlite_schema");
    EXPECT_THROW(m_db.ddl("CREATE TABLE tblBad (A LONG, B LONG, A TEXT)"), vb::Error);
    EXPECT_THROW(m_db.ddl("CREATE TABLE tblWines (A LONG)"), vb::Error);
    EXPECT_THROW(m_db.ddl("CREATE TABLE tblBad (A LONG, CONSTRAINT fk FOREIGN KEY (A) REFERENCES "
                          "tblNone (ID))"),
                 vb::Error);
    EXPECT_THROW(m_db.ddl("CREATE INDEX idx ON tblWines (Missing)"), vb::Error);
    EXPECT_THROW(m_db.ddl("CREATE INDEX pk2 ON tblWines (Name) WITH PRIMARY"), vb::Error);
    EXPECT_THROW(m_db.ddl("ALTER TABLE tblWines ADD COLUMN Name LONG"), vb::Error);
    EXPECT_EQ(m_db.text("SELECT group_concat(sql, ';') FROM sqlite_schema"), before);
    EXPECT_EQ(tableNames(m_db.db()), QStringList{"tblWines"});
}

} // namespace
} // namespace jet
