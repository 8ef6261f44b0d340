// The cellar's content: the same options give the same data, keys between tables hold, and
// the values the update procedures work on are there in the forms they expect.

#include "sample/DatabaseDigest.h"
#include "SampleFixture.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace sample::test {
namespace {

const QStringList databaseFiles{mainDatabaseFile, settingsFile,    webLinksFile,
                                languageFile,     printLabelsFile, auctionsFile};

TEST(SampleContent, SameOptionsGiveTheSameDataInAnotherFolder)
{
    const BuiltInstallation& first = installation(InstallationOptions::defaultWines);
    QTemporaryDir parent;
    InstallationOptions options;
    const InstallationSummary second =
        writeInstallation(parent.filePath(QStringLiteral("elsewhere")), options);
    for (const QString& file : databaseFiles) {
        EXPECT_EQ(databaseDigest(databasePath(first, file)),
                  databaseDigest(second.folder + QLatin1Char('/') + file))
            << file.toStdString();
    }
    EXPECT_EQ(second.uniqueId, first.summary.uniqueId);
    // A different cellar size gives a different cellar.
    EXPECT_NE(databaseDigest(databasePath(first, mainDatabaseFile)),
              databaseDigest(databasePath(installation(2000), mainDatabaseFile)));
}

class LargeCellar : public testing::Test
{
protected:
    QString main() const { return databasePath(installation(2000), mainDatabaseFile); }
    int count(const QString& jetSql) const { return scalar(main(), jetSql).toInt(); }
};

TEST_F(LargeCellar, HoldsTheWinesAskedFor)
{
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM tblWines")), 2000);
    EXPECT_EQ(installation(2000).summary.wines, 2000);
}

TEST_F(LargeCellar, EveryReferenceFindsItsRow)
{
    const QStringList orphans{
        "SELECT Count(*) FROM tblTransactions WHERE WineID NOT IN (SELECT WineID FROM tblWines)",
        "SELECT Count(*) FROM tblTastingNotes WHERE WineID NOT IN (SELECT WineID FROM tblWines)",
        "SELECT Count(*) FROM tblWines WHERE WinerySiteID NOT IN "
        "(SELECT WinerySiteID FROM tblWinerySite)",
        "SELECT Count(*) FROM tblWines WHERE AppellationID NOT IN "
        "(SELECT AppellationID FROM tblPICKAppellation)",
        "SELECT Count(*) FROM tblWines WHERE WineTypeID NOT IN (SELECT WineTypeID FROM "
        "tblPICKType)",
        "SELECT Count(*) FROM tblWines WHERE BottleSizeID NOT IN "
        "(SELECT BottleSizeID FROM tblPICKBottleSize)",
        "SELECT Count(*) FROM tblWines WHERE DrinkProfileID NOT IN "
        "(SELECT DrinkProfileID FROM tblDrinkProfile)",
        "SELECT Count(*) FROM tblWines WHERE NoteID Is Not Null AND NoteID NOT IN "
        "(SELECT NoteID FROM tblNotes)",
        "SELECT Count(*) FROM tblTastingNotes WHERE NoteID NOT IN (SELECT NoteID FROM tblNotes)",
        "SELECT Count(*) FROM tblTransactions WHERE RetailStoreID Is Not Null AND RetailStoreID "
        "NOT IN (SELECT RetailStoreID FROM tblPICKRetailOutlet)",
        "SELECT Count(*) FROM tblWinerySite WHERE AppellationID NOT IN "
        "(SELECT AppellationID FROM tblPICKAppellation)",
        "SELECT Count(*) FROM tblWinerySite WHERE StateRegionID NOT IN "
        "(SELECT StateRegionID FROM tblPICKRegion)",
        "SELECT Count(*) FROM tblPICKGeoAppellation WHERE AppellationID NOT IN "
        "(SELECT AppellationID FROM tblPICKAppellation)",
        "SELECT Count(*) FROM tblPICKRegion WHERE CountryID NOT IN (SELECT CountryID FROM "
        "tblPICKCountry)",
    };
    for (const QString& query : orphans) {
        EXPECT_EQ(count(query), 0) << query.toStdString();
    }
    EXPECT_GT(count(QStringLiteral("SELECT Count(*) FROM tblTransactions")), 2000);
    EXPECT_GT(count(QStringLiteral("SELECT Count(*) FROM tblTastingNotes")), 100);
}

TEST_F(LargeCellar, BottlesOnHandMatchPurchasesRemovalsAndLocations)
{
    EXPECT_EQ(count(QStringLiteral(
                  "SELECT Count(*) FROM tblWines WHERE QOH <> (SELECT Sum(Quantity) FROM "
                  "tblTransactions WHERE tblTransactions.WineID = tblWines.WineID)")),
              0);
    const QRegularExpression line(QStringLiteral("^(.+) \\((\\d+)\\)$"));
    jet::Connection connection;
    connection.open(connectionString(main()));
    for (jet::ResultSet rows =
             connection.execute(QStringLiteral("SELECT QOH, BottleLocations FROM tblWines"));
         !rows.eof(); rows.moveNext()) {
        const int onHand = rows.value(0).toLong();
        const QString locations = rows.value(1).toString();
        int placed = 0;
        for (const QString& entry : locations.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch match = line.match(entry);
            ASSERT_TRUE(match.hasMatch()) << entry.toStdString();
            placed += match.captured(2).toInt();
        }
        EXPECT_EQ(placed, onHand) << locations.toStdString();
    }
}

TEST_F(LargeCellar, WineriesEnteredTwiceMergeWithoutBreakingTheUniqueWineIndex)
{
    // Update 6 keeps the highest key of each master number and moves the wines to it.
    EXPECT_GT(count(QStringLiteral("SELECT Count(*) FROM (SELECT MasterID FROM tblWinerySite "
                                   "WHERE MasterID > 0 GROUP BY MasterID HAVING Count(*) > 1)")),
              0);
    EXPECT_EQ(count(QStringLiteral(
                  "SELECT Count(*) FROM (SELECT Count(*) FROM tblWines INNER JOIN tblWinerySite "
                  "ON tblWines.WinerySiteID = tblWinerySite.WinerySiteID GROUP BY "
                  "IIf(tblWinerySite.MasterID > 0, -tblWinerySite.MasterID, "
                  "tblWinerySite.WinerySiteID), tblWines.Label, tblWines.Vintage, "
                  "tblWines.AppellationID, "
                  "tblWines.BottleSizeID "
                  "HAVING Count(*) > 1)")),
              0);
    // Master numbers of tasting notes are unique, so (UserID, MasterID) will be too.
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM (SELECT MasterID FROM tblTastingNotes "
                                   "WHERE MasterID > 0 GROUP BY MasterID HAVING Count(*) > 1)")),
              0);
    EXPECT_GT(count(QStringLiteral("SELECT Count(*) FROM tblTastingNotes WHERE MasterID > 0 "
                                   "AND Author = 'Veltrano'")),
              0);
    EXPECT_GT(count(QStringLiteral("SELECT Count(*) FROM tblTastingNotes WHERE MasterID = 0")), 0);
}

TEST_F(LargeCellar, OldValuesAreInTheFormsTheUpdatesRead)
{
    // Unnumbered wines for update 5, within the 16-bit numbering.
    EXPECT_GT(count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE oldWineID = 0")), 0);
    EXPECT_LT(count(QStringLiteral("SELECT Max(oldWineID) FROM tblWines")) +
                  count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE oldWineID = 0")),
              32768);
    // Year texts for the drinking-window conversion, with open ends and wines without vintage.
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE DrinkFrom Not Like "
                                   "'[12][0-9][0-9][0-9]' OR Optimal Not Like '[12][0-9][0-9][0-9]'"
                                   " OR DrinkTo Not Like '[1-9][0-9][0-9][0-9]'")),
              0);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE Val(DrinkFrom) > "
                                   "Val(Optimal) OR Val(Optimal) > Val(DrinkTo)")),
              0);
    EXPECT_GT(count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE DrinkTo = '9999'")), 0);
    EXPECT_GT(count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE Vintage = ''")), 0);
    EXPECT_GT(count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE DrinkFrom = Optimal "
                                   "AND Optimal = DrinkTo")),
              0);
    // Dates a century early, for the maintenance tool's date repair.
    EXPECT_GT(count(QStringLiteral("SELECT Count(*) FROM tblTransactions WHERE [Date] < "
                                   "#1/1/1906#")),
              0);
    // Market values of 0 with a priced purchase, for the market value repair.
    EXPECT_GT(count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE [Value] = 0")), 0);
}

TEST_F(LargeCellar, AppellationsWithApostrophesIncludeOneSpelledTwice)
{
    const QStringList straight = column(
        main(), QStringLiteral("SELECT Appellation FROM tblPICKAppellation WHERE Appellation "
                               "Like '*''*' ORDER BY Appellation"));
    EXPECT_TRUE(straight.contains(QStringLiteral("Barbera d'Alba")));
    EXPECT_TRUE(straight.contains(QString::fromUtf8("Côtes d'Auxerre")));
    // The straight spelling no wine or winery uses; the typographic one is in use.
    EXPECT_EQ(
        count(QStringLiteral("SELECT Count(*) FROM tblWines INNER JOIN tblPICKAppellation ON "
                             "tblWines.AppellationID = tblPICKAppellation.AppellationID WHERE "
                             "Appellation = 'Dolcetto d''Alba'")),
        0);
    EXPECT_EQ(
        count(QStringLiteral("SELECT Count(*) FROM tblWinerySite INNER JOIN tblPICKAppellation ON "
                             "tblWinerySite.AppellationID = tblPICKAppellation.AppellationID WHERE "
                             "Appellation = 'Dolcetto d''Alba'")),
        0);
    EXPECT_EQ(count(QString::fromUtf8("SELECT Count(*) FROM tblPICKAppellation WHERE "
                                      "Appellation = 'Dolcetto d\u2019Alba'")),
              1);
}

TEST(SampleContent, HoldsWhatTheReportsShow)
{
    const BuiltInstallation& built = installation(InstallationOptions::defaultWines);
    const QString main = databasePath(built, mainDatabaseFile);
    const auto count = [&main](const char* sql) {
        return scalar(main, QString::fromUtf8(sql)).toInt();
    };
    // Websites written with and without the scheme, in either case.
    EXPECT_GT(count("SELECT Count(*) FROM tblWinerySite WHERE InStr(1, Website, 'http://', 0) = 1"),
              0);
    EXPECT_GT(count("SELECT Count(*) FROM tblWinerySite WHERE InStr(1, Website, 'HTTP://', 0) = 1"),
              0);
    // Most wines have purchases and tasting notes; some have neither.
    const int wines = count("SELECT Count(*) FROM tblWines");
    const int bare = count("SELECT Count(*) FROM tblWines WHERE WineID NOT IN (SELECT WineID FROM "
                           "tblTransactions) AND WineID NOT IN (SELECT WineID FROM "
                           "tblTastingNotes)");
    EXPECT_GT(bare, 0);
    EXPECT_GT(count("SELECT Count(*) FROM tblWines WHERE WineID IN (SELECT WineID FROM "
                    "tblTastingNotes)"),
              wines / 2);
    EXPECT_LT(bare, wines / 10);
    // One field blend whose fifth variety holds three more grapes on lines of their own.
    EXPECT_EQ(count("SELECT Count(*) FROM tblWines WHERE InStr(Variety5, Chr$(13) & Chr$(10)) > 0"),
              1);
    // Label pictures that exist, and one that was lost.
    int present = 0;
    int missing = 0;
    for (const QString& pointer :
         column(main, QStringLiteral("SELECT DISTINCT WineLabelPointer FROM tblWines WHERE "
                                     "WineLabelPointer <> ''"))) {
        (QFileInfo::exists(built.folder + QLatin1Char('/') + pointer) ? present : missing) += 1;
    }
    EXPECT_GT(present, 0);
    EXPECT_EQ(missing, 1);
    // Saved queries and the locations report's work table.
    const QString settings = databasePath(built, settingsFile);
    EXPECT_GT(scalar(settings, QStringLiteral("SELECT Count(*) FROM tblQueryInfo")).toInt(), 3);
    EXPECT_EQ(scalar(settings, QStringLiteral("SELECT Count(WineTitle) + Count(Location) + "
                                              "Count(Quantity) + Count(LocationKey) FROM "
                                              "tblLocationReport"))
                  .toInt(),
              0);
}

TEST(SampleContent, SettingsHoldWhatTheSettingsUpdatesRewrite)
{
    const QString settings =
        databasePath(installation(InstallationOptions::defaultWines), settingsFile);
    EXPECT_EQ(scalar(settings, QStringLiteral("SELECT StorageCurrencyCode FROM tblPreferences")),
              QStringLiteral("USD - United States Dollar"));
    const QRegularExpression isoDate(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}( \\d{2}:\\d{2}:\\d{2})?$"));
    for (const char* field : {"LastWebLinksDownload", "LastWineriesDownload"}) {
        const QString value =
            scalar(settings, QStringLiteral("SELECT %1 FROM tblPreferences").arg(field)).toString();
        EXPECT_TRUE(isoDate.match(value).hasMatch()) << field << " " << value.toStdString();
    }
    EXPECT_EQ(column(settings, QStringLiteral("SELECT Caption FROM tblColumnHeaders WHERE "
                                              "ColumnID IN (11, 12, 19) ORDER BY ColumnID")),
              (QStringList{QStringLiteral("From"), QStringLiteral("To"), QStringLiteral("Best")}));
    EXPECT_EQ(
        scalar(settings, QStringLiteral("SELECT Max(ColumnID) FROM tblColumnHeaders")).toInt(), 24);
    EXPECT_EQ(scalar(settings, QStringLiteral("SELECT Count(*) FROM tblQueryInfo WHERE "
                                              "Description = '** Marked Wines **'"))
                  .toInt(),
              0);
    EXPECT_GT(scalar(settings, QStringLiteral("SELECT Count(*) FROM tblAuctionData")).toInt(), 0);
    EXPECT_LE(scalar(settings, QStringLiteral("SELECT Max([Value]) FROM tblAuctionData")).toInt(),
              32767);
}

TEST(SampleContent, WebLinksKeepOnlyExactDuplicateAddresses)
{
    const QString links =
        databasePath(installation(InstallationOptions::defaultWines), webLinksFile);
    // Update 4 deletes exact duplicates and then makes SearchURL unique; addresses differing
    // only in case would stop it, and two links sharing a master number would stop update 2.
    EXPECT_GT(scalar(links, QStringLiteral("SELECT Count(*) FROM (SELECT SearchURL FROM WebLinks "
                                           "GROUP BY SearchURL HAVING Count(*) > 1)"))
                  .toInt(),
              0);
    EXPECT_EQ(scalar(links, QStringLiteral("SELECT Count(*) FROM (SELECT LCase(SearchURL) FROM "
                                           "WebLinks GROUP BY LCase(SearchURL))"))
                  .toInt(),
              scalar(links, QStringLiteral("SELECT Count(*) FROM (SELECT DISTINCT SearchURL FROM "
                                           "WebLinks)"))
                  .toInt());
    EXPECT_EQ(scalar(links, QStringLiteral("SELECT Count(*) FROM (SELECT MasterID FROM WebLinks "
                                           "WHERE MasterID > 0 GROUP BY MasterID HAVING "
                                           "Count(*) > 1)"))
                  .toInt(),
              0);
    EXPECT_GT(
        scalar(links, QStringLiteral("SELECT Count(*) FROM WebLinks WHERE MasterID = 0")).toInt(),
        0);
}

} // namespace
} // namespace sample::test
