// The SQL texts of the database updates, run on small databases laid out as the engine stores
// them, checked against the rows Jet would leave.

#include "TestDatabase.h"
#include "updater/maindb/MainDatabaseSql.h"

#include <gtest/gtest.h>
#include <QDateTime>

namespace jet::test {
namespace {

class MainDatabaseUpdate : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.exec(R"(
            CREATE TABLE tblWinerySite (WinerySiteID INTEGER PRIMARY KEY, MasterID INTEGER,
                UserID INTEGER, CountryID INTEGER, StateRegionID INTEGER, AppellationID INTEGER,
                NoteID INTEGER, Address1 TEXT COLLATE JET, Address2 TEXT COLLATE JET);
            CREATE TABLE tblWines (WineID INTEGER PRIMARY KEY, oldWineID INTEGER,
                WinerySiteID INTEGER, AppellationID INTEGER, DrinkProfileID INTEGER,
                BottleSizeID INTEGER, WineTypeID INTEGER, NoteID INTEGER,
                Vintage TEXT COLLATE JET, Label TEXT COLLATE JET,
                Variety1 TEXT COLLATE JET, Variety2 TEXT COLLATE JET, Variety3 TEXT COLLATE JET,
                Variety4 TEXT COLLATE JET, Variety5 TEXT COLLATE JET,
                VarietyPerc1 TEXT COLLATE JET, VarietyPerc2 TEXT COLLATE JET,
                VarietyPerc3 TEXT COLLATE JET, VarietyPerc4 TEXT COLLATE JET,
                VarietyPerc5 TEXT COLLATE JET, WineLabelPointer TEXT COLLATE JET,
                PreSelect INTEGER, DrinkFrom TEXT COLLATE JET, Optimal TEXT COLLATE JET,
                Peak TEXT COLLATE JET, DrinkTo TEXT COLLATE JET, LifeSpan INTEGER,
                PeriodBandWidth INTEGER, Varieties TEXT COLLATE JET, HasLabel INTEGER,
                datHoldEndSoon REAL, datDrinkHoldNew REAL, datDrinkHold REAL,
                datDrinkHoldEndSoon REAL, datBestNew REAL, datBestLeftOfPeak REAL,
                datPeakComingUp REAL, datPeakPassed REAL, datBestRightOfPeak REAL,
                datBestEndSoon REAL, datDecliningNew REAL, datDeclining REAL,
                datDecliningEndSoon REAL, datDeadNew REAL, datDead REAL);
            CREATE TABLE tblTastingNotes (TastingNoteID INTEGER PRIMARY KEY, WineID INTEGER,
                Date REAL, Author TEXT COLLATE JET, NoteID INTEGER, MasterID INTEGER,
                UserID INTEGER, LastModif REAL);
            CREATE TABLE tblTransactions (TransactionID INTEGER PRIMARY KEY, WineID INTEGER,
                Date REAL, Time REAL, Quantity INTEGER, RetailStoreID INTEGER, NoteID INTEGER);
        )");
    }

    TestDatabase db;
};

TEST_F(MainDatabaseUpdate, DuplicateWineryQueryFindsGroupsSharingAMasterNumber)
{
    db.exec("INSERT INTO tblWinerySite (WinerySiteID, MasterID) VALUES "
            "(40, 17), (52, 17), (41, 17), (60, 5), (70, 0), (71, 0), (80, -3), (81, -3)");
    const auto rows =
        db.run("SELECT tblWinerySite.MasterID, Count(tblWinerySite.MasterID) AS CountOfMasterID, "
               "Max(tblWinerySite.WinerySiteID) AS MaxOfWinerySiteID FROM tblWinerySite GROUP BY "
               "tblWinerySite.MasterID HAVING (((tblWinerySite.MasterID)>0) AND "
               "((Count(tblWinerySite.MasterID))>1)) ORDER BY tblWinerySite.MasterID;");
    EXPECT_EQ(rows, QList<Row>{(Row{"17", "3", "52"})});
}

TEST_F(MainDatabaseUpdate, OwnershipUpdatesOfWineriesAndTastingNotes)
{
    db.exec("INSERT INTO tblWinerySite (WinerySiteID, MasterID) VALUES (40, 17), (57, 0);"
            "INSERT INTO tblWines (WineID, WinerySiteID) VALUES (1, 40), (2, 57);"
            "INSERT INTO tblTastingNotes (TastingNoteID, MasterID, Author) VALUES "
            "(1, 9, 'Veltrano'), (2, 9, 'VELTRANO'), (3, 9, 'Someone'), (4, 0, 'Me'), "
            "(5, 9, NULL)");
    db.run("UPDATE tblWines SET tblWines.WinerySiteID = 52 WHERE (((tblWines.WinerySiteID)=40));");
    EXPECT_EQ(db.changes(), 1);
    db.run("UPDATE tblWinerySite SET tblWinerySite.UserID = 1 WHERE "
           "(((tblWinerySite.MasterID)>0));");
    db.run("UPDATE tblWinerySite SET tblWinerySite.UserID = 4711, tblWinerySite.MasterID = "
           "[tblWinerySite].[WinerySiteID] WHERE (((tblWinerySite.MasterID)=0));");
    db.run("UPDATE tblTastingNotes SET tblTastingNotes.UserID = 4 WHERE "
           "(((tblTastingNotes.MasterID)>0) AND ((tblTastingNotes.Author)=\"Veltrano\"));");
    // Jet compares text without regard to case: both spellings are Veltrano's.
    EXPECT_EQ(db.changes(), 2);
    db.run("UPDATE tblTastingNotes SET tblTastingNotes.UserID = 3 WHERE "
           "(((tblTastingNotes.MasterID)>0) AND ((tblTastingNotes.Author)<>\"Veltrano\"));");
    EXPECT_EQ(db.changes(), 1); // a note without author is neither
    db.run("UPDATE tblTastingNotes SET tblTastingNotes.UserID = 4711, tblTastingNotes.MasterID = "
           "[tblTastingNotes].[TastingNoteID] WHERE (((tblTastingNotes.MasterID)=0));");

    EXPECT_EQ(db.query("SELECT WineID, WinerySiteID FROM tblWines ORDER BY 1"),
              (QList<Row>{{"1", "52"}, {"2", "57"}}));
    EXPECT_EQ(db.query("SELECT WinerySiteID, MasterID, UserID FROM tblWinerySite ORDER BY 1"),
              (QList<Row>{{"40", "17", "1"}, {"57", "57", "4711"}}));
    EXPECT_EQ(db.query("SELECT TastingNoteID, MasterID, UserID FROM tblTastingNotes ORDER BY 1"),
              (QList<Row>{{"1", "9", "4"},
                          {"2", "9", "4"},
                          {"3", "9", "3"},
                          {"4", "4", "4711"},
                          {"5", "9", "NULL"}}));
}

TEST_F(MainDatabaseUpdate, SelfJoinUpdateCopiesEachNotesDate)
{
    db.exec("INSERT INTO tblTastingNotes (TastingNoteID, Date) VALUES (1, 37000.5), (2, 38000), "
            "(3, NULL)");
    db.run("UPDATE tblTastingNotes INNER JOIN tblTastingNotes AS tblTastingNotes_1 ON "
           "tblTastingNotes.TastingNoteID = tblTastingNotes_1.TastingNoteID SET "
           "tblTastingNotes.LastModif = [tblTastingNotes_1].[Date];");
    EXPECT_EQ(db.query("SELECT TastingNoteID, LastModif FROM tblTastingNotes ORDER BY 1"),
              (QList<Row>{{"1", "37000.5"}, {"2", "38000"}, {"3", "NULL"}}));
}

TEST_F(MainDatabaseUpdate, MaximumOfTheOldNumbering)
{
    db.exec("INSERT INTO tblWines (WineID, oldWineID) VALUES (1, 3), (2, 0), (3, 12)");
    EXPECT_EQ(db.run("SELECT Max(tblWines.oldWineID) AS MaxOfoldWineID FROM tblWines;"),
              QList<Row>{Row{"12"}});
}

TEST_F(MainDatabaseUpdate, StageDatesVarietiesAndLabelFlag)
{
    db.exec("INSERT INTO tblWines (WineID, Vintage, DrinkFrom, Optimal, Peak, DrinkTo, LifeSpan, "
            "PeriodBandWidth, WineLabelPointer, Variety1, VarietyPerc1, Variety2, VarietyPerc2, "
            "Variety3, Variety4, Variety5) VALUES "
            "(1, '1998', '2000-07', '2004-07', '2006-07', '2008-07', 14, 12, '', "
            " 'Merlot', '60%', 'Cabernet', '40%', '<unknown>', '<unknown>', '<unknown>'),"
            "(2, '', '2001-03', '2002-01', '2003-05', '2010-12', 20, 12, 'lbl.jpg', "
            " '<unknown>', '', '<unknown>', '', '<unknown>', '<unknown>', '<unknown>')");
    db.run(updater::maindb::stageDatesStatement());
    EXPECT_EQ(db.changes(), 2);

    const auto wine1 = db.query(
        "SELECT Varieties, HasLabel, datDead, datDeadNew, datDecliningEndSoon, datDeclining, "
        "datDecliningNew, datBestEndSoon, datBestRightOfPeak, datPeakPassed, datPeakComingUp, "
        "datBestLeftOfPeak, datBestNew, datDrinkHoldEndSoon, datDrinkHold, datDrinkHoldNew, "
        "datHoldEndSoon FROM tblWines WHERE WineID = 1");
    ASSERT_EQ(wine1.size(), 1);
    EXPECT_EQ(wine1[0], (Row{"Merlot - 60%\r\nCabernet - 40%", "0", days(2013, 1, 1),
                             days(2012, 7, 1), days(2012, 1, 1), days(2009, 1, 1), days(2008, 7, 1),
                             days(2008, 1, 1), days(2007, 1, 1), days(2006, 7, 1), days(2006, 1, 1),
                             days(2005, 1, 1), days(2004, 7, 1), days(2004, 1, 1), days(2001, 1, 1),
                             days(2000, 7, 1), days(2000, 1, 1)}));
    // No vintage: death counts from the DrinkFrom year. A month past December rolls over.
    EXPECT_EQ(db.query("SELECT Varieties, HasLabel, datDeadNew, datDeclining, datBestEndSoon, "
                       "datHoldEndSoon FROM tblWines WHERE WineID = 2"),
              (QList<Row>{{"<unknown>", "-1", days(2021, 7, 1), days(2011, 6, 1), days(2010, 6, 1),
                           days(2000, 9, 1)}}));
}

TEST_F(MainDatabaseUpdate, FirstAndLastDatesWithSubqueriesEndingInSemicolons)
{
    db.exec("INSERT INTO tblWines (WineID) VALUES (1), (2);"
            "INSERT INTO tblTransactions (WineID, Date, Quantity) VALUES "
            "(1, 36000, 6), (1, 36500, 12), (1, 36200, -2), (1, 36900, -1), (2, 37000, -1);"
            "INSERT INTO tblTastingNotes (WineID, Date) VALUES (1, 36300), (1, 36100)");
    const QString sql = updater::maindb::firstLastDatesStatement();
    EXPECT_EQ(db.run(sql), (QList<Row>{{"1", "36000", "36500", "36200", "36900", "36100", "36300"},
                                       {"2", "NULL", "NULL", "37000", "37000", "NULL", "NULL"}}));
}

TEST_F(MainDatabaseUpdate, DrinkHoldIndicatorUsesEarlierAliasesOfItsOwnList)
{
    const double past = oleDays(2000, 1, 1);
    const double future = oleDays(9000, 1, 1);
    QString values;
    const auto addWine = [&](int id, int stagesReached) {
        QStringList dates;
        for (int k = 0; k < 15; ++k)
            dates.append(QString::number(k < stagesReached ? past : future));
        values += QStringLiteral("%1(%2, %3)")
                      .arg(values.isEmpty() ? "" : ",")
                      .arg(id)
                      .arg(dates.join(u','));
    };
    addWine(1, 0);
    addWine(2, 5);
    addWine(3, 15);
    db.exec("INSERT INTO tblWines (WineID, datHoldEndSoon, datDrinkHoldNew, datDrinkHold, "
            "datDrinkHoldEndSoon, datBestNew, datBestLeftOfPeak, datPeakComingUp, datPeakPassed, "
            "datBestRightOfPeak, datBestEndSoon, datDecliningNew, datDeclining, "
            "datDecliningEndSoon, datDeadNew, datDead) VALUES " +
            values + ";INSERT INTO tblWines (WineID, datDead, datPeakPassed) VALUES (4, " +
            QString::number(future) + ", " + QString::number(past) + ")");
    const auto rows = db.run(updater::maindb::calcDhiQuery());
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].front(), "1");
    EXPECT_EQ(rows[0].last(), "0");
    EXPECT_EQ(rows[1].last(), "31");
    EXPECT_EQ(rows[2].last(), "32767");
    // Stage 7 reached with the lower dates missing: bits 0 to 7 all set.
    EXPECT_EQ(rows[3].last(), "255");
    EXPECT_EQ(rows[3].at(1), "0");   // bytDHI14
    EXPECT_EQ(rows[3].at(8), "128"); // bytDHI7
    EXPECT_EQ(rows[3].at(15), "1");  // bytDHI0
}

// The stored queries of the main database, as views made from their translated Jet text.
class StoredQueries : public MainDatabaseUpdate
{
protected:
    void SetUp() override
    {
        MainDatabaseUpdate::SetUp();
        db.exec(R"(
            CREATE TABLE tblNotes (NoteID INTEGER PRIMARY KEY, Note TEXT COLLATE JET);
            CREATE TABLE tblPICKCountry (CountryID INTEGER PRIMARY KEY, Country TEXT COLLATE JET,
                NoteID INTEGER);
            CREATE TABLE tblPICKRegion (StateRegionID INTEGER PRIMARY KEY, CountryID INTEGER,
                StateRegion TEXT COLLATE JET, NoteID INTEGER);
            CREATE TABLE tblPICKAppellation (AppellationID INTEGER PRIMARY KEY,
                Appellation TEXT COLLATE JET, NoteID INTEGER);
            CREATE TABLE tblDrinkProfile (DrinkProfileID INTEGER PRIMARY KEY);
            CREATE TABLE tblPICKBottleSize (BottleSizeID INTEGER PRIMARY KEY);
            CREATE TABLE tblPICKType (WineTypeID INTEGER PRIMARY KEY, WineType TEXT COLLATE JET);
            CREATE TABLE tblPICKRetailOutlet (RetailStoreID INTEGER PRIMARY KEY,
                RetailStoreName TEXT COLLATE JET);
            INSERT INTO tblNotes VALUES (1, 'note');
            INSERT INTO tblPICKCountry VALUES (1, 'France', 1);
            INSERT INTO tblPICKRegion VALUES (1, 1, 'Bordeaux', NULL);
            INSERT INTO tblPICKAppellation VALUES (1, 'Pauillac', NULL);
            INSERT INTO tblWinerySite (WinerySiteID, CountryID, StateRegionID, AppellationID,
                Address1, Address2) VALUES (1, 1, 1, 1, 'Rue 1', 'Town'), (2, 1, 1, 1, '', 'Box 9'),
                (3, NULL, NULL, NULL, NULL, NULL);
            INSERT INTO tblWines (WineID, WinerySiteID, AppellationID) VALUES
                (1, 1, 1), (2, 2, NULL), (3, 3, NULL), (4, 99, NULL), (-5, 1, NULL);
            INSERT INTO tblTastingNotes (WineID, Date) VALUES (1, 1), (1, 2);
            INSERT INTO tblTransactions (WineID, Date, Quantity) VALUES (1, 1, 6), (1, 2, 6),
                (1, 3, -1);
        )");
        db.exec("CREATE VIEW CalcDHI AS " + translate(updater::maindb::calcDhiQuery()).sqlite);
        db.exec("CREATE VIEW CurrentQuery AS " + translate(updater::maindb::currentQuery()).sqlite);
    }
};

TEST_F(StoredQueries, CurrentQueryRepeatsEachWinePerNoteAndTransaction)
{
    const auto rows =
        db.query("SELECT WineID, Address, DHI, count(*) FROM CurrentQuery GROUP BY WineID, "
                 "Address, DHI ORDER BY WineID");
    // Wine 1: 2 notes x 3 transactions; wine 4 has no winery (inner join); -5 is filtered.
    EXPECT_EQ(rows, (QList<Row>{{"1", "Rue 1\r\nTown", "0", "6"},
                                {"2", "Box 9", "0", "1"},
                                {"3", "NULL", "0", "1"}}));
}

TEST_F(StoredQueries, ReverseQueryGivesTheWinesOutsideTheSelection)
{
    EXPECT_EQ(db.run(updater::maindb::reverseQuery()), (QList<Row>{{"-5", "Rue 1\r\nTown", "0"}}));
}

TEST_F(StoredQueries, StoredQueriesCanBeExpandedInPlace)
{
    TranslateOptions options;
    options.storedQuery = [](const QString& name) -> std::optional<QString> {
        if (name.compare(QStringLiteral("CurrentQuery"), Qt::CaseInsensitive) == 0)
            return updater::maindb::currentQuery();
        if (name == QStringLiteral("CalcDHI"))
            return updater::maindb::calcDhiQuery();
        if (name == QStringLiteral("Loop"))
            return QStringLiteral("SELECT * FROM Loop");
        return std::nullopt;
    };
    db.exec("DROP VIEW CurrentQuery; DROP VIEW CalcDHI");
    EXPECT_EQ(db.run(updater::maindb::reverseQuery(), {}, options),
              (QList<Row>{{"-5", "Rue 1\r\nTown", "0"}}));
    EXPECT_THROW(translate(QStringLiteral("SELECT * FROM Loop"), options), vb::Error);
}

TEST(SettingsDatabaseUpdate, ExchangeRatesAndAuctionDataAreEmptied)
{
    TestDatabase db;
    db.exec("CREATE TABLE tblExchangeRates (CurrencyCode TEXT COLLATE JET, USExchangeRate REAL);"
            "INSERT INTO tblExchangeRates VALUES ('EUR', 1.1), ('GBP', 1.3);"
            "CREATE TABLE tblAuctionData (EntryDate REAL, Value INTEGER);"
            "INSERT INTO tblAuctionData VALUES (1, 2), (3, 4), (5, 6);");
    db.run("DELETE * fRom tblExchangeRates");
    EXPECT_EQ(db.changes(), 2);
    db.run("DELETE tblAuctionData.* FROM tblAuctionData;");
    EXPECT_EQ(db.changes(), 3);
    EXPECT_EQ(db.value("SELECT count(*) FROM tblExchangeRates") +
                  db.value("SELECT count(*) FROM tblAuctionData"),
              "00");
}

TEST(SettingsDatabaseUpdate, QueryDefinitionsGetZeroCounts)
{
    TestDatabase db;
    db.exec("CREATE TABLE tblQueryDefinitions (Value TEXT COLLATE JET, OpenParenthese INTEGER, "
            "CloseParenthese INTEGER, DateDeltaType INTEGER, ValueType INTEGER);"
            "INSERT INTO tblQueryDefinitions (Value) VALUES ('a'), ('b');");
    db.run("UPDATE tblQueryDefinitions SET tblQueryDefinitions.OpenParenthese = 0, "
           "tblQueryDefinitions.CloseParenthese = 0, tblQueryDefinitions.DateDeltaType = 0, "
           "tblQueryDefinitions.ValueType = 0;");
    EXPECT_EQ(db.changes(), 2);
    EXPECT_EQ(db.value("SELECT count(*) FROM tblQueryDefinitions WHERE OpenParenthese = 0 AND "
                       "CloseParenthese = 0 AND DateDeltaType = 0 AND ValueType = 0"),
              "2");
}

TEST(WebLinksUpdate, OwnersMasterNumbersAndDates)
{
    TestDatabase db;
    db.exec("CREATE TABLE WebLinks (ID INTEGER, MasterID INTEGER, UserID INTEGER, LastModif "
            "REAL, SearchURL TEXT COLLATE JET);"
            "INSERT INTO WebLinks (ID, MasterID) VALUES (57, 0), (58, 12);");
    db.run("UPDATE WebLinks SET WebLinks.UserID = 1 WHERE (((WebLinks.MasterID)>0));");
    db.run("UPDATE WebLinks SET WebLinks.UserID = 4711, WebLinks.MasterID = [WebLinks].[ID] "
           "WHERE (((WebLinks.MasterID)=0));");
    db.run("UPDATE WebLinks SET WebLinks.LastModif = #10/13/2001#;");
    EXPECT_EQ(db.query("SELECT ID, MasterID, UserID, LastModif FROM WebLinks ORDER BY ID"),
              (QList<Row>{{"57", "57", "4711", days(2001, 10, 13)},
                          {"58", "12", "1", days(2001, 10, 13)}}));
}

} // namespace
} // namespace jet::test
