// The wine list statement the report builds and the repairs of the maintenance tools.

#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace jet::test {
namespace {

class WineListReport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.exec(R"(
            CREATE TABLE tblReportSource (WineID INTEGER);
            CREATE TABLE tblWines (WineID INTEGER PRIMARY KEY, WinerySiteID INTEGER,
                AppellationID INTEGER, WineTypeID INTEGER, Vintage TEXT COLLATE JET,
                Label TEXT COLLATE JET, Variety1 TEXT COLLATE JET, PreSelect INTEGER);
            CREATE TABLE tblWinerySite (WinerySiteID INTEGER PRIMARY KEY, StateRegionID INTEGER,
                SiteName TEXT COLLATE JET);
            CREATE TABLE tblPICKRegion (StateRegionID INTEGER PRIMARY KEY, CountryID INTEGER,
                StateRegion TEXT COLLATE JET);
            CREATE TABLE tblPICKCountry (CountryID INTEGER PRIMARY KEY, Country TEXT COLLATE JET);
            CREATE TABLE tblPICKAppellation (AppellationID INTEGER PRIMARY KEY,
                Appellation TEXT COLLATE JET);
            INSERT INTO tblPICKCountry VALUES (1, 'france'), (2, 'Australia'), (3, '<unknown>');
            INSERT INTO tblPICKRegion VALUES (1, 1, 'Bordeaux'), (2, 2, 'Barossa'), (3, 3, 'x');
            INSERT INTO tblWinerySite VALUES (1, 1, 'Château A'), (2, 2, 'bush Vineyard'),
                (3, 2, 'Acme'), (4, 3, 'Zed');
            INSERT INTO tblPICKAppellation VALUES (1, 'Pauillac'), (2, '<unknown>');
            INSERT INTO tblWines VALUES (1, 1, 1, 1, '2000', 'Grand Vin', 'Merlot', -1),
                (2, 2, 2, 1, '', '<unknown>', 'Shiraz', 0),
                (3, 3, 2, 1, '1998', 'Red', 'Shiraz', -1),
                (4, 4, 2, 1, '1999', 'X', 'Y', 0),
                (5, 1, 1, 1, '2001', 'Not selected', 'Merlot', -1);
            INSERT INTO tblReportSource VALUES (1), (2), (3), (4);
        )");
    }

    TestDatabase db;
};

TEST_F(WineListReport, GroupedByCountryWithTheOtherPartsJoinedIntoOneColumn)
{
    // As the report's statement builder writes it when grouping by Country alone.
    const QString sql = QStringLiteral(
        "SELECT tblWines.WineID, \r\n\tIIF(tblPICKCountry.Country = \"<unknown>\", \"N/A\", "
        "tblPICKCountry.Country) AS Country, \r\n\ttblWinerySite.SiteName & \", \" & "
        "IIF(tblWines.Label = \"<unknown>\", \"\", tblWines.Label) & \", \" & "
        "IIF(tblPICKAppellation.Appellation = \"<unknown>\", \"N/A\", "
        "tblPICKAppellation.Appellation) & \", \" & IIF(tblWines.Vintage = \"\", \"NV\", "
        "tblWines.Vintage) AS Wine \r\n"
        "FROM tblReportSource, tblWines, tblPICKRegion, tblWinerySite, tblPICKCountry, "
        "tblPICKAppellation\r\n"
        "WHERE tblReportSource.WineID = tblWines.WineID \r\n\tAND tblWinerySite.WinerySiteID = "
        "tblWines.WinerySiteID \r\n\tAND tblPICKRegion.StateRegionID = "
        "tblWinerySite.StateRegionID \r\n\tAND tblPICKCountry.CountryID = "
        "tblPICKRegion.CountryID\r\n   AND tblPICKAppellation.AppellationID = "
        "tblWines.AppellationID\r\n"
        "ORDER BY tblPICKCountry.Country, tblWinerySite.SiteName, tblWines.Label, "
        "tblPICKAppellation.Appellation, tblWines.Vintage;");
    // Text sorts without regard to case, as in Jet ("bush" after "Acme", "france" after
    // "Australia" and before "<unknown>"... which sorts first: '<' precedes letters).
    EXPECT_EQ(db.run(sql), (QList<Row>{{"4", "N/A", "Zed, X, N/A, 1999"},
                                       {"3", "Australia", "Acme, Red, N/A, 1998"},
                                       {"2", "Australia", "bush Vineyard, , N/A, NV"},
                                       {"1", "france", "Château A, Grand Vin, Pauillac, 2000"}}));
}

TEST_F(WineListReport, MarkedWinesCondition)
{
    EXPECT_EQ(db.run("SELECT tblWines.WineID FROM tblWines Where tblWines.PreSelect = True "
                     "ORDER BY tblWines.WineID"),
              (QList<Row>{{"1"}, {"3"}, {"5"}}));
}

class MaintenanceTools : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.exec(R"(
            CREATE TABLE tblTransactions (TransactionID INTEGER PRIMARY KEY, WineID INTEGER,
                Cost REAL, Date REAL);
            CREATE TABLE tblTastingNotes (TastingNoteID INTEGER PRIMARY KEY, Date REAL);
            CREATE TABLE tblWines (WineID INTEGER PRIMARY KEY, Vintage TEXT COLLATE JET,
                DrinkFrom TEXT COLLATE JET);
        )");
    }

    TestDatabase db;
};

TEST_F(MaintenanceTools, CenturyRepairMovesOnlyTheFirstYearsOf1900)
{
    db.exec(QStringLiteral("INSERT INTO tblTransactions (TransactionID, Date) VALUES "
                           "(1, %1), (2, %2), (3, %3), (4, %4), (5, %5), (6, NULL);"
                           "INSERT INTO tblTastingNotes VALUES (1, %2), (2, %6)")
                .arg(oleDays(1900, 1, 1))
                .arg(oleDays(1905, 12, 31) + 0.75) // 18:00 on the last day: beyond #12/31/1905#
                .arg(oleDays(1905, 12, 31))
                .arg(oleDays(1906, 1, 1))
                .arg(oleDays(1903, 3, 1))
                .arg(oleDays(1901, 6, 15)));
    db.run("UPDATE tblTransactions SET tblTransactions.[Date] = [Date]+36525 WHERE "
           "(((tblTransactions.Date)>=#1/1/1900# And (tblTransactions.Date)<=#12/31/1905#));");
    const int transactions = db.changes();
    db.run("UPDATE tblTastingNotes SET tblTastingNotes.[Date] = [Date]+36525 WHERE "
           "(((tblTastingNotes.Date)>=#1/1/1900# And (tblTastingNotes.Date)<=#12/31/1905#));");
    EXPECT_EQ(transactions + db.changes(), 4);
    EXPECT_EQ(db.query("SELECT Date FROM tblTransactions ORDER BY TransactionID"),
              (QList<Row>{{days(2000, 1, 2)},
                          {QString::number(oleDays(1905, 12, 31) + 0.75, 'g', 15)},
                          {days(2005, 12, 31)},
                          {days(1906, 1, 1)},
                          {days(2003, 3, 1)},
                          {"NULL"}}));
    EXPECT_EQ(db.value("SELECT Date FROM tblTastingNotes WHERE TastingNoteID = 2"),
              days(2001, 6, 15));
}

TEST_F(MaintenanceTools, GlobalValueChange)
{
    db.exec("INSERT INTO tblWines VALUES (1, '1997', '2005-07'), (2, '1997', '2006-03'), "
            "(3, '1998', NULL)");
    db.run("UPDATE tblWines SET tblWines.Vintage = '2001' WHERE tblWines.Vintage ='1997';");
    EXPECT_EQ(db.changes(), 2);
    db.run("UPDATE tblWines SET tblWines.DrinkFrom = '2006-03' WHERE tblWines.DrinkFrom "
           "='2005-07';");
    EXPECT_EQ(db.query("SELECT Vintage, DrinkFrom FROM tblWines ORDER BY WineID"),
              (QList<Row>{{"2001", "2006-03"}, {"2001", "2006-03"}, {"1998", "NULL"}}));
}

TEST(AppellationRepair, LookupsAndDeletionOfAnUnusedAppellation)
{
    TestDatabase db;
    db.exec(R"(
        CREATE TABLE tblPICKGeoAppellation (AppellationID INTEGER, CountryID INTEGER,
            StateRegionID INTEGER);
        CREATE TABLE tblPICKCountry (CountryID INTEGER, Country TEXT COLLATE JET);
        CREATE TABLE tblPICKRegion (StateRegionID INTEGER, CountryID INTEGER,
            StateRegion TEXT COLLATE JET);
        CREATE TABLE tblPICKAppellation (AppellationID INTEGER, Appellation TEXT COLLATE JET);
        INSERT INTO tblPICKGeoAppellation VALUES (7, 1, 3), (7, 1, 4), (8, 1, 3);
        INSERT INTO tblPICKCountry VALUES (1, 'Italy');
        INSERT INTO tblPICKRegion VALUES (3, 1, 'Piemonte'), (3, 2, 'Elsewhere');
        INSERT INTO tblPICKAppellation VALUES (7, 'd''Alba'), (8, 'Barolo'), (9, 'l''Est');
    )");
    EXPECT_EQ(db.run("SELECT * FROM tblPICKGeoAppellation WHERE "
                     "tblPICKGeoAppellation.AppellationID=8;"),
              (QList<Row>{{"8", "1", "3"}}));
    EXPECT_EQ(db.run("SELECT tblPICKCountry.Country FROM tblPICKCountry WHERE "
                     "tblPICKCountry.CountryID=1;"),
              QList<Row>{{"Italy"}});
    EXPECT_EQ(db.run("SELECT tblPICKRegion.StateRegion FROM tblPICKRegion WHERE "
                     "tblPICKRegion.CountryID=1 AND tblPICKRegion.StateRegionID=3;"),
              QList<Row>{{"Piemonte"}});
    db.run("DELETE tblPICKGeoAppellation.AppellationID FROM tblPICKGeoAppellation WHERE "
           "tblPICKGeoAppellation.AppellationID=7;");
    EXPECT_EQ(db.changes(), 2);
    EXPECT_EQ(db.value("SELECT count(*) FROM tblPICKGeoAppellation"), "1");
    // The filter that finds names with a straight apostrophe.
    EXPECT_EQ(db.run("SELECT Appellation FROM tblPICKAppellation WHERE [Appellation] Like "
                     "'*''*' ORDER BY Appellation"),
              (QList<Row>{{"d'Alba"}, {"l'Est"}}));
}

} // namespace
} // namespace jet::test
