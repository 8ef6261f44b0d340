// Running statements: affected-row counts, typed values of result rows, nested transactions.

#include "jet/Error.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace jet {
namespace {

using test::TestDatabase;

class ExecuteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_connection.open(m_database.connectionString());
        test::executeAll(m_connection,
                         {"CREATE TABLE tblWines (WineID LONG NOT NULL PRIMARY KEY, Name TEXT(50), "
                          "Bought DATETIME, Drunk BIT, Price CURRENCY, Qty SHORT, Rating BYTE, "
                          "Alcohol SINGLE, Litres DOUBLE, Notes MEMO)",
                          "INSERT INTO tblWines VALUES (1, 'Rioja', 36526.5, -1, 12.5, 3, 90, "
                          "13.5, 0.75, NULL)",
                          "INSERT INTO tblWines VALUES (2, 'Barolo', 37000, 0, 40, 6, 95, 14, 1.5, "
                          "'Keep')",
                          "INSERT INTO tblWines VALUES (3, 'Chablis', NULL, 0, NULL, 12, NULL, "
                          "NULL, NULL, NULL)"});
    }

    qint64 affected(const QString& sql)
    {
        qint64 count = -99;
        const ResultSet rows = m_connection.execute(sql, &count);
        EXPECT_FALSE(rows.isOpen());
        return count;
    }

    qint64 countRows(const QString& table = QStringLiteral("tblWines"))
    {
        ResultSet rows = m_connection.execute("SELECT Count(*) AS N FROM " + table);
        return rows.value(0).toLong();
    }

    TestDatabase m_database;
    Connection m_connection;
};

TEST_F(ExecuteTest, ActionQueriesReportAffectedRows)
{
    EXPECT_EQ(affected("UPDATE tblWines SET Qty = Qty + 1 WHERE Drunk = 0"), 2);
    EXPECT_EQ(affected("UPDATE tblWines SET Qty = 0 WHERE WineID = 99"), 0);
    EXPECT_EQ(affected("INSERT INTO tblWines (WineID, Name) SELECT WineID + 10, Name FROM "
                       "tblWines"),
              3);
    EXPECT_EQ(affected("DELETE FROM tblWines WHERE WineID > 10"), 3);
    EXPECT_EQ(affected("CREATE TABLE tblEmpty (ID LONG)"), 0);
    EXPECT_EQ(affected("SELECT WineID, Name INTO tblCopy FROM tblWines WHERE Qty > 3"), 2);
    EXPECT_EQ(affected("DELETE FROM tblWines"), 3);
    EXPECT_EQ(countRows(), 0);
}

TEST_F(ExecuteTest, RowsComeInTheirJetTypes)
{
    ResultSet rows = m_connection.execute("SELECT * FROM tblWines ORDER BY WineID");
    ASSERT_TRUE(rows.isOpen());
    ASSERT_FALSE(rows.eof());
    EXPECT_EQ(rows.fieldCount(), 10);
    EXPECT_EQ(rows.field(2).name, "Bought");
    EXPECT_EQ(rows.field(2).type, DataType::Date);
    EXPECT_EQ(rows.field(1).type, DataType::VarWChar);
    EXPECT_EQ(rows.field(1).definedSize, 50);
    EXPECT_EQ(rows.fieldIndex("BOUGHT"), 2);
    EXPECT_EQ(rows.fieldIndex("Nope"), -1);

    EXPECT_EQ(rows.value("WineID"), vb::Variant(std::int32_t(1)));
    EXPECT_EQ(rows.value("Name"), vb::Variant("Rioja"));
    EXPECT_EQ(rows.value("Bought"), vb::Variant::fromDate(36526.5));
    EXPECT_EQ(rows.value("Drunk"), vb::Variant(true));
    EXPECT_EQ(rows.value("Price"), vb::Variant(vb::Currency::fromRaw(125000)));
    EXPECT_EQ(rows.value("Qty"), vb::Variant(std::int16_t(3)));
    EXPECT_EQ(rows.value("Rating"), vb::Variant(std::uint8_t(90)));
    EXPECT_EQ(rows.value("Alcohol"), vb::Variant(13.5f));
    EXPECT_EQ(rows.value("Litres"), vb::Variant(0.75));
    EXPECT_TRUE(rows.value("Notes").isNull());
    EXPECT_THROW(rows.value("Nope"), Error);
    EXPECT_THROW(rows.value(10), Error);

    rows.moveNext();
    EXPECT_EQ(rows.value("Drunk"), vb::Variant(false));
    EXPECT_EQ(rows.value("Price"), vb::Variant(vb::Currency::fromInt64(40)));
    EXPECT_EQ(rows.value("Notes"), vb::Variant("Keep"));
    rows.moveNext();
    EXPECT_TRUE(rows.value("Bought").isNull());
    EXPECT_TRUE(rows.value("Price").isNull());
    rows.moveNext();
    EXPECT_TRUE(rows.eof());
    EXPECT_THROW(rows.value(0), Error);
    EXPECT_THROW(rows.moveNext(), Error);
}

TEST_F(ExecuteTest, ComputedColumnsKeepTheirJetTypes)
{
    ResultSet rows = m_connection.execute(
        "SELECT DateSerial(Year([Bought]), Month([Bought]) + 11, 1) AS Review, CCur(Price * 2) "
        "AS Twice, Price > 20 AS Dear, Max(Bought) AS Latest, 'Bought ' & CStr(Bought) AS Note, "
        "Name FROM tblWines WHERE WineID = 1 GROUP BY Bought, Price, Name");
    ASSERT_FALSE(rows.eof());
    const vb::Variant review = rows.value("Review");
    EXPECT_EQ(review.type(), vb::VarType::Date);
    EXPECT_EQ(review.toDate(), 36861.0); // 1 Dec 2000
    EXPECT_EQ(rows.field(0).type, DataType::Date);
    EXPECT_TRUE(rows.field(0).declaredType.isEmpty());
    EXPECT_EQ(rows.value("Twice").type(), vb::VarType::Currency);
    EXPECT_EQ(rows.value("Twice").toDouble(), 25.0);
    EXPECT_EQ(rows.value("Dear").type(), vb::VarType::Boolean);
    EXPECT_FALSE(rows.value("Dear").toBoolean());
    EXPECT_EQ(rows.value("Latest").type(), vb::VarType::Date);
    EXPECT_EQ(rows.value("Latest").toDouble(), 36526.5);
    EXPECT_EQ(rows.value("Note").type(), vb::VarType::String);
    EXPECT_EQ(rows.value("Name").toString(), "Rioja");

    // A Null from a typed expression stays Null.
    rows = m_connection.execute("SELECT DateSerial(Year([Bought]), 1, 1) AS Y FROM tblWines "
                                "WHERE WineID = 3");
    ASSERT_FALSE(rows.eof());
    EXPECT_TRUE(rows.value(0).isNull());
}

TEST_F(ExecuteTest, EmptyResultStartsAtEof)
{
    qint64 count = 0;
    ResultSet rows = m_connection.execute("SELECT Name FROM tblWines WHERE WineID = 42", &count);
    EXPECT_TRUE(rows.isOpen());
    EXPECT_TRUE(rows.eof());
    EXPECT_EQ(rows.fieldCount(), 1);
    EXPECT_EQ(count, -1);
}

TEST_F(ExecuteTest, ResultSetOutlivingItsConnectionFailsCleanly)
{
    ResultSet rows = m_connection.execute("SELECT Name FROM tblWines");
    m_connection.close();
    EXPECT_THROW(rows.value(0), Error);
    EXPECT_THROW(rows.moveNext(), Error);
}

TEST_F(ExecuteTest, FailuresAreRecordedAndClearedByTheNextSuccess)
{
    EXPECT_THROW(m_connection.execute("INSERT INTO tblWines (WineID) VALUES (1)"), Error);
    ASSERT_EQ(m_connection.errors().count(), 1);
    EXPECT_EQ(m_connection.errors().item(0).number, ErrorNumber::Unspecified);
    EXPECT_TRUE(m_connection.errors().item(0).description.contains("duplicate values"));
    EXPECT_THROW(m_connection.execute("SELECT * FROM tblNoSuchTable"), Error);
    ASSERT_EQ(m_connection.errors().count(), 1);
    EXPECT_EQ(m_connection.errors().item(0).number, ErrorNumber::InputTableNotFound);
    EXPECT_TRUE(m_connection.errors().item(0).description.contains("'tblNoSuchTable'"));
    m_connection.execute("SELECT * FROM tblWines");
    EXPECT_TRUE(m_connection.errors().isEmpty());
}

TEST_F(ExecuteTest, NestedTransactionsCommitAndRollBackByLevel)
{
    EXPECT_EQ(m_connection.beginTrans(), 1);
    m_connection.execute("INSERT INTO tblWines (WineID, Name) VALUES (10, 'Level one')");
    EXPECT_EQ(m_connection.beginTrans(), 2);
    m_connection.execute("INSERT INTO tblWines (WineID, Name) VALUES (20, 'Level two')");
    EXPECT_EQ(m_connection.beginTrans(), 3);
    m_connection.execute("DELETE FROM tblWines WHERE WineID = 1");
    m_connection.commitTrans(); // into level 2
    EXPECT_EQ(m_connection.transactionLevel(), 2);
    m_connection.rollbackTrans(); // level 2 and what level 3 gave it
    EXPECT_EQ(m_connection.transactionLevel(), 1);
    EXPECT_EQ(countRows(), 4);
    m_connection.commitTrans();
    EXPECT_EQ(m_connection.transactionLevel(), 0);

    ResultSet rows = m_connection.execute("SELECT WineID FROM tblWines ORDER BY WineID");
    QList<int> ids;
    for (; !rows.eof(); rows.moveNext()) {
        ids.append(rows.value(0).toLong());
    }
    EXPECT_EQ(ids, (QList<int>{1, 2, 3, 10}));
}

TEST_F(ExecuteTest, RollbackOfTheOutermostLevelUndoesEverything)
{
    m_connection.beginTrans();
    m_connection.execute("DELETE FROM tblWines");
    m_connection.beginTrans();
    m_connection.execute("INSERT INTO tblWines (WineID) VALUES (7)");
    m_connection.commitTrans();
    m_connection.rollbackTrans();
    EXPECT_EQ(countRows(), 3);
}

TEST_F(ExecuteTest, CommitOrRollbackWithoutTransactionFails)
{
    for (const auto& operation : {&Connection::commitTrans, &Connection::rollbackTrans}) {
        try {
            (m_connection.*operation)();
            FAIL() << "no error without a transaction";
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), ErrorNumber::NoTransactionActive);
        }
        EXPECT_EQ(m_connection.errors().count(), 1);
    }
}

TEST_F(ExecuteTest, ClosingWithAPendingTransactionKeepsNothingOfIt)
{
    m_connection.beginTrans();
    m_connection.execute("DELETE FROM tblWines");
    m_connection.close();
    m_connection.open(m_database.connectionString());
    EXPECT_EQ(m_connection.transactionLevel(), 0);
    EXPECT_EQ(countRows(), 3);
}

TEST_F(ExecuteTest, FailedStatementInsideTransactionKeepsTheTransaction)
{
    m_connection.beginTrans();
    m_connection.execute("UPDATE tblWines SET Qty = 100 WHERE WineID = 1");
    EXPECT_THROW(m_connection.execute("INSERT INTO tblWines (WineID) VALUES (2)"), Error);
    EXPECT_EQ(m_connection.transactionLevel(), 1);
    m_connection.commitTrans();
    ResultSet rows = m_connection.execute("SELECT Qty FROM tblWines WHERE WineID = 1");
    EXPECT_EQ(rows.value(0).toLong(), 100);
}

} // namespace
} // namespace jet

namespace jet {
namespace {

TEST_F(ExecuteTest, JetDialectRunsThroughTheTranslator)
{
    EXPECT_EQ(affected("INSERT INTO tblWines (WineID, Name, Bought, Drunk) VALUES (5, \"Quoted\", "
                       "#12/31/1999#, True)"),
              1);
    ResultSet rows = m_connection.execute("SELECT [Name], Bought, Drunk FROM tblWines WHERE "
                                          "WineID = 5");
    EXPECT_EQ(rows.value(0), vb::Variant("Quoted"));
    EXPECT_EQ(rows.value(1), vb::Variant::fromDate(36525));
    EXPECT_EQ(rows.value(2), vb::Variant(true));

    rows = m_connection.execute("SELECT Name FROM tblWines WHERE Name Like \"rio*\"");
    ASSERT_FALSE(rows.eof());
    EXPECT_EQ(rows.value(0), vb::Variant("Rioja"));
    EXPECT_EQ(affected("DELETE * FROM tblWines WHERE Drunk = True"), 2);
}

TEST_F(ExecuteTest, UnknownNamesAreMissingParametersAndBadSyntaxIsReported)
{
    try {
        m_connection.execute("SELECT WineID FROM tblWines WHERE Vintage = 1990");
        FAIL() << "an unknown column ran";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), ErrorNumber::MissingParameters);
        EXPECT_TRUE(error.description().contains("Vintage"));
    }
    EXPECT_THROW(m_connection.execute("SELECT FROM WHERE"), vb::Error);
    ASSERT_EQ(m_connection.errors().count(), 1);
    EXPECT_EQ(m_connection.errors().item(0).number, ErrorNumber::SyntaxError);
}

TEST_F(ExecuteTest, SchemaStatementsKeepJetTypesAndRules)
{
    test::executeAll(m_connection,
                     {"CREATE TABLE tblNotes (NoteID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
                      "WineID LONG, Note TEXT(10))",
                      "INSERT INTO tblNotes (WineID, Note) VALUES (1, 'Fine')",
                      "INSERT INTO tblNotes (WineID, Note) VALUES (2, 'Finer')"});
    ResultSet rows = m_connection.execute("SELECT NoteID, Note FROM tblNotes ORDER BY NoteID");
    EXPECT_EQ(rows.value(0).toLong(), 1);
    rows.moveNext();
    EXPECT_EQ(rows.value(0).toLong(), 2);
    rows.close();

    // TEXT(10) holds ten characters, not eleven; the refused row leaves no trace.
    EXPECT_EQ(affected("INSERT INTO tblNotes (Note) VALUES ('0123456789')"), 1);
    EXPECT_THROW(m_connection.execute("INSERT INTO tblNotes (Note) VALUES ('0123456789A')"), Error);
    EXPECT_EQ(countRows("tblNotes"), 3);

    // Index names belong to their table, as in Jet.
    test::executeAll(m_connection, {"CREATE UNIQUE INDEX idxNote ON tblNotes (Note)",
                                    "CREATE INDEX idxNote ON tblWines (Name)"});
    EXPECT_THROW(m_connection.execute("INSERT INTO tblNotes (Note) VALUES ('FINE')"), Error);
    m_connection.execute("DROP INDEX idxNote ON tblNotes");
    EXPECT_EQ(affected("INSERT INTO tblNotes (Note) VALUES ('FINE')"), 1);

    m_connection.execute("ALTER TABLE tblNotes ADD COLUMN Tasted DATETIME");
    m_connection.execute("UPDATE tblNotes SET Tasted = #2/3/2004# WHERE NoteID = 1");
    rows = m_connection.execute("SELECT Tasted FROM tblNotes WHERE NoteID = 1");
    EXPECT_EQ(rows.field(0).type, DataType::Date);
    EXPECT_EQ(rows.value(0).type(), vb::VarType::Date);
    rows.close();

    // A text column shrinks only as far as the longest value it holds.
    m_connection.execute("ALTER TABLE tblNotes ALTER COLUMN Note TEXT(20)");
    try {
        m_connection.execute("ALTER TABLE tblNotes ALTER COLUMN Note TEXT(3)");
        FAIL() << "ALTER COLUMN cut the stored text";
    } catch (const Error& error) {
        EXPECT_TRUE(error.description().contains("too small")) << error.description().toStdString();
    }
    EXPECT_EQ(affected("INSERT INTO tblNotes (Note) VALUES ('01234567890123456789')"), 1);
    m_connection.execute("DROP TABLE tblNotes");
    EXPECT_THROW(m_connection.execute("SELECT * FROM tblNotes"), Error);
}

TEST_F(ExecuteTest, BrokenViewDoesNotStopOtherStatements)
{
    ASSERT_EQ(sqlite3_exec(m_connection.handle(),
                           "CREATE TABLE tblGone (A INTEGER); CREATE VIEW qryGone AS SELECT A "
                           "FROM tblGone; DROP TABLE tblGone",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(affected("UPDATE tblWines SET Qty = 1 WHERE WineID = 1"), 1);
    EXPECT_THROW(m_connection.execute("SELECT * FROM qryGone"), Error);
}

TEST_F(ExecuteTest, DefaultsWrittenAsJetLiterals)
{
    test::executeAll(m_connection, {"CREATE TABLE tblDefaults (ID LONG, Since DATETIME DEFAULT "
                                    "#1/1/2000#, Label TEXT(10) DEFAULT \"it's\", Flag BIT "
                                    "DEFAULT True, Amount CURRENCY DEFAULT 2.5)",
                                    "INSERT INTO tblDefaults (ID) VALUES (1)"});
    ResultSet rows = m_connection.execute("SELECT Since, Label, Flag, Amount FROM tblDefaults");
    EXPECT_EQ(rows.value(0), vb::Variant::fromDate(36526));
    EXPECT_EQ(rows.value(1), vb::Variant("it's"));
    EXPECT_EQ(rows.value(2), vb::Variant(true));
    EXPECT_EQ(rows.value(3), vb::Variant(vb::Currency::fromRaw(25000)));
}

} // namespace
} // namespace jet
