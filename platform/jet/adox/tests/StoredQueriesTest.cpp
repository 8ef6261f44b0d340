// Stored queries kept with their Jet text, queried by name, joined to and built on each other:
// the main wine database's CalcDHI, CurrentQuery and ReverseQuery as its updates create them.

#include "jet/adox/Catalog.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace jet::adox {
namespace {

const QString calcDhi = QStringLiteral(
    "SELECT tblWines.WineID,IIf(Now()>=[tblWines].[datDead],16384,0) AS bytDHI14,IIf(Now()>=["
    "tblWines].[datDeadNew],8192,IIf(bytDHI14=16384,8192,0)) AS bytDHI13,IIf(Now()>=[tblWines"
    "].[datDecliningEndSoon],4096,IIf(bytDHI13=8192,4096,0)) AS bytDHI12,IIf(Now()>=[tblWines"
    "].[datDeclining],2048,IIf(bytDHI12=4096,2048,0)) AS bytDHI11,IIf(Now()>=[tblWines].[datD"
    "ecliningNew],1024,IIf(bytDHI11=2048,1024,0)) AS bytDHI10,IIf(Now()>=[tblWines].[datBestE"
    "ndSoon],512,IIf(bytDHI10=1024,512,0)) AS bytDHI9,IIf(Now()>=[tblWines].[datBestRightOfPe"
    "ak],256,IIf(bytDHI9=512,256,0)) AS bytDHI8,IIf(Now()>=[tblWines].[datPeakPassed],128,IIf"
    "(bytDHI8=256,128,0)) AS bytDHI7,IIf(Now()>=[tblWines].[datPeakComingUp],64,IIf(bytDHI7=1"
    "28,64,0)) AS bytDHI6,IIf(Now()>=[tblWines].[datBestLeftOfPeak],32,IIf(bytDHI6=64,32,0)) "
    "AS bytDHI5,IIf(Now()>=[tblWines].[datBestNew],16,IIf(bytDHI5=32,16,0)) AS bytDHI4,IIf(No"
    "w()>=[tblWines].[datDrinkHoldEndSoon],8,IIf(bytDHI4=16,8,0)) AS bytDHI3,IIf(Now()>=[tblW"
    "ines].[datDrinkHold],4,IIf(bytDHI3=8,4,0)) AS bytDHI2,IIf(Now()>=[tblWines].[datDrinkHol"
    "dNew],2,IIf(bytDHI2=4,2,0)) AS bytDHI1,IIf(Now()>=[tblWines].[datHoldEndSoon],1,IIf(bytD"
    "HI1=2,1,0)) AS bytDHI0,bytDHI0+bytDHI1+bytDHI2+bytDHI3+bytDHI4+bytDHI5+bytDHI6+bytDHI7+b"
    "ytDHI8+bytDHI9+bytDHI10+bytDHI11+bytDHI12+bytDHI13+bytDHI14 AS DHI FROM tblWines;");

const QString currentQuery = QStringLiteral(
    "SELECT DISTINCTROW tblWines.WineID, IIf([tblWinerySite].[Address1]<>\"\","
    "[tblWinerySite].[Address1] & "
    "IIf([tblWinerySite].[Address2]<>\"\",Chr$(13) & Chr$(10) & [tblWinerySite].[Address2],\"\"),"
    "IIf([tblWinerySite].[Address2]<>\"\","
    "[tblWinerySite].[Address2])) AS Address, CalcDHI.DHI "
    "FROM (((((tblNotes AS tblNotes_Country RIGHT JOIN (tblNotes AS tblNotes_Region RIGHT JOIN"
    "((((tblWinerySite LEFT JOIN tblPICKCountry ON tblWinerySite.CountryID = "
    "tblPICKCountry.CountryID) LEFT JOIN tblPICKRegion ON tblWinerySite.StateRegionID = "
    "tblPICKRegion.StateRegionID) LEFT JOIN tblPICKAppellation AS tblPICKAppellation_Winery ON "
    "tblWinerySite.AppellationID = tblPICKAppellation_Winery.AppellationID) LEFT JOIN tblNotes "
    "AS tblNotes_Winery ON tblWinerySite.NoteID = tblNotes_Winery.NoteID) ON "
    "tblNotes_Region.NoteID = tblPICKRegion.NoteID) ON tblNotes_Country.NoteID = "
    "tblPICKCountry.NoteID) LEFT JOIN tblNotes AS tblNotes_AppellationWinery ON "
    "tblPICKAppellation_Winery.NoteID = tblNotes_AppellationWinery.NoteID) INNER JOIN "
    "(tblPICKType RIGHT JOIN (tblPICKBottleSize RIGHT JOIN (tblDrinkProfile RIGHT JOIN "
    "((tblPICKAppellation AS tblPICKAppellation_Wine RIGHT JOIN (tblNotes AS tblNotes_Wine RIGHT "
    "JOIN tblWines ON tblNotes_Wine.NoteID = tblWines.NoteID) ON "
    "tblPICKAppellation_Wine.AppellationID = tblWines.Appellation"
    "ID) LEFT JOIN tblNotes AS tblNotes_AppellationWine ON tblPICKAppellation_Wine.NoteID = "
    "tblNotes_AppellationWine.NoteID) ON tblDrinkProfile.DrinkProfileID = "
    "tblWines.DrinkProfileID) ON tblPICKBottleSize.BottleSizeID = tblWines.BottleSizeID) ON "
    "tblPICKType.WineTypeID = tblWines.WineTypeID) ON tblWinerySite.WinerySiteID = "
    "tblWines.WinerySiteID) LEFT JOIN (tblNotes AS tblNotes_TastingNote RIGHT JOIN "
    "tblTastingNotes ON tblNotes_TastingNote.NoteID = tblTastingNotes.NoteID) ON "
    "tblWines.WineID = tblTastingNotes.WineID) LEFT JOIN (tblPICKRetailOutlet RIGHT JOIN "
    "(tblNotes AS tblNotes_Transaction RIGHT JOIN tblTransactions ON tblNotes_Transaction.NoteID "
    "= tblTransactions.NoteID) ON tblPICKRetailOutlet.RetailStoreID = "
    "tblTransactions.RetailStoreID) ON tblWines.WineID = tblTransactions.WineID) INNER JOIN "
    "CalcDHI ON tblWines.WineID = CalcDHI.WineID "
    "WHERE tblWines.WineID >= 0;");

const QString reverseQuery = QStringLiteral(
    "SELECT DISTINCTROW tblWines.WineID, "
    "IIf(tblWinerySite.Address1<>\"\",tblWinerySite.Address1 & "
    "IIf(tblWinerySite.Address2<>\"\",Chr$(13) & Chr$(10) & "
    "tblWinerySite.Address2,\"\"),IIf(tblWinerySite.Address2<>\"\",tblWinerySite.Address2)) AS "
    "Address, CalcDHI.DHI FROM tblWinerySite INNER JOIN ((tblWines INNER JOIN CalcDHI ON "
    "tblWines.WineID = CalcDHI.WineID) LEFT JOIN CurrentQuery ON tblWines.WineID = "
    "CurrentQuery.WineID) ON tblWinerySite.WinerySiteID = tblWines.WinerySiteID WHERE "
    "(((CurrentQuery.WineID) Is Null));");

class StoredQueriesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_connection.open(m_database.connectionString());
        test::executeAll(
            m_connection,
            {"CREATE TABLE tblNotes (NoteID COUNTER PRIMARY KEY, Note MEMO)",
             "CREATE TABLE tblPICKCountry (CountryID COUNTER PRIMARY KEY, NoteID LONG)",
             "CREATE TABLE tblPICKRegion (StateRegionID COUNTER PRIMARY KEY, NoteID LONG)",
             "CREATE TABLE tblPICKAppellation (AppellationID COUNTER PRIMARY KEY, NoteID LONG)",
             "CREATE TABLE tblPICKType (WineTypeID COUNTER PRIMARY KEY)",
             "CREATE TABLE tblPICKBottleSize (BottleSizeID COUNTER PRIMARY KEY)",
             "CREATE TABLE tblDrinkProfile (DrinkProfileID COUNTER PRIMARY KEY)",
             "CREATE TABLE tblPICKRetailOutlet (RetailStoreID COUNTER PRIMARY KEY)",
             "CREATE TABLE tblWinerySite (WinerySiteID COUNTER PRIMARY KEY, CountryID LONG, "
             "StateRegionID LONG, AppellationID LONG, NoteID LONG, Address1 TEXT(50), "
             "Address2 TEXT(50))",
             "CREATE TABLE tblWines (WineID COUNTER PRIMARY KEY, WinerySiteID LONG, NoteID LONG, "
             "AppellationID LONG, DrinkProfileID LONG, BottleSizeID LONG, WineTypeID LONG, "
             "datHoldEndSoon DATETIME, datDrinkHoldNew DATETIME, datDrinkHold DATETIME, "
             "datDrinkHoldEndSoon DATETIME, datBestNew DATETIME, datBestLeftOfPeak DATETIME, "
             "datPeakComingUp DATETIME, datPeakPassed DATETIME, datBestRightOfPeak DATETIME, "
             "datBestEndSoon DATETIME, datDecliningNew DATETIME, datDeclining DATETIME, "
             "datDecliningEndSoon DATETIME, datDeadNew DATETIME, datDead DATETIME)",
             "CREATE TABLE tblTastingNotes (TastingNoteID COUNTER PRIMARY KEY, WineID LONG, "
             "NoteID LONG)",
             "CREATE TABLE tblTransactions (TransactionID COUNTER PRIMARY KEY, WineID LONG, "
             "NoteID LONG, RetailStoreID LONG)",
             "INSERT INTO tblWinerySite (Address1, Address2) VALUES ('1 Main St', 'Town')",
             "INSERT INTO tblWinerySite (Address1) VALUES ('2 Hill Rd')",
             // Wine 1 is current; wine -5 is outside the current selection and long dead.
             "INSERT INTO tblWines (WineID, WinerySiteID) VALUES (1, 2)",
             "INSERT INTO tblWines (WineID, WinerySiteID, datDead) VALUES (-5, 1, #1/1/2001#)",
             "INSERT INTO tblTastingNotes (WineID) VALUES (1)",
             "INSERT INTO tblTastingNotes (WineID) VALUES (1)"});
        m_catalog.setActiveConnection(m_database.connectionString());
    }

    test::TestDatabase m_database;
    Connection m_connection;
    Catalog m_catalog;
};

TEST_F(StoredQueriesTest, ReverseQueryBuildsOnCurrentQueryAndCalcDhi)
{
    m_catalog.views().append("CalcDHI", calcDhi);
    m_catalog.views().append("CurrentQuery", currentQuery);
    m_catalog.views().append("ReverseQuery", reverseQuery);

    ResultSet rows = m_connection.execute("SELECT WineID, Address, DHI FROM ReverseQuery");
    ASSERT_FALSE(rows.eof());
    EXPECT_EQ(rows.value(0).toLong(), -5);
    EXPECT_EQ(rows.value(1).toString(), "1 Main St\r\nTown");
    EXPECT_EQ(rows.value(2).toLong(), 32767); // dead: every stage reached
    rows.moveNext();
    EXPECT_TRUE(rows.eof());
    rows.close();

    // Redefining the query at the bottom changes what the others give.
    m_catalog.views().item("CalcDHI").setCommandText(
        "SELECT tblWines.WineID, 7 AS DHI FROM tblWines;");
    rows = m_connection.execute("SELECT DHI FROM ReverseQuery");
    ASSERT_FALSE(rows.eof());
    EXPECT_EQ(rows.value(0).toLong(), 7);
    rows.close();
    m_catalog.views().remove("CalcDHI");
    m_catalog.views().append("CalcDHI", "SELECT tblWines.WineID, 9 AS DHI FROM tblWines;");
    rows = m_connection.execute("SELECT DHI FROM ReverseQuery");
    ASSERT_FALSE(rows.eof());
    EXPECT_EQ(rows.value(0).toLong(), 9);
    rows.close();

    // CurrentQuery repeats a wine once per tasting note.
    rows = m_connection.execute("SELECT Count(*) FROM CurrentQuery");
    EXPECT_EQ(rows.value(0).toLong(), 2);
}

TEST_F(StoredQueriesTest, TextsReadBackAsStoredAndNamesAreUnique)
{
    m_catalog.views().append("CalcDHI", calcDhi);
    m_catalog.procedures().append("qryDeleteOld",
                                  "DELETE * FROM tblTastingNotes WHERE WineID = [pWine];");
    Catalog reader;
    reader.setActiveConnection(m_connection);
    ASSERT_EQ(reader.views().count(), 1);
    EXPECT_EQ(reader.views().item(0).name(), "CalcDHI");
    EXPECT_EQ(reader.views().item("calcdhi").commandText(), calcDhi);
    ASSERT_EQ(reader.procedures().count(), 1);
    EXPECT_EQ(reader.procedures().item("qryDeleteOld").commandText(),
              "DELETE * FROM tblTastingNotes WHERE WineID = [pWine];");

    EXPECT_THROW(m_catalog.views().append("CalcDHI", "SELECT 1;"), Error);
    EXPECT_THROW(m_catalog.views().append("tblWines", "SELECT 1;"), Error);
    EXPECT_THROW(m_catalog.views().append("qryBad", "SELECT FROM WHERE"), vb::Error);
    EXPECT_THROW(m_connection.execute("CREATE TABLE CalcDHI (A LONG)"), Error);
    EXPECT_EQ(m_catalog.views().count(), 1);
    // Stored queries are no tables.
    EXPECT_EQ(m_catalog.tables().find("CalcDHI"), nullptr);
}

TEST_F(StoredQueriesTest, BrokenQueriesFailWhenRunAndStopNothingElse)
{
    m_catalog.views().append("qrySelf", "SELECT * FROM qrySelf;");
    m_catalog.views().append("qryNotes", "SELECT WineID FROM tblTastingNotes;");
    try {
        m_connection.execute("SELECT * FROM qrySelf");
        FAIL() << "a query built on itself ran";
    } catch (const vb::Error& error) {
        EXPECT_TRUE(error.description().contains("Circular reference"))
            << error.description().toStdString();
    }
    m_connection.execute("DROP TABLE tblTastingNotes");
    EXPECT_THROW(m_connection.execute("SELECT * FROM qryNotes"), vb::Error);
    ResultSet rows = m_connection.execute("SELECT Count(*) FROM tblWines");
    EXPECT_EQ(rows.value(0).toLong(), 2);
}

} // namespace
} // namespace jet::adox
