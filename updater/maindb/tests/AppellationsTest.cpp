// Update 11 on a database at version 10: appellation names get the typographic apostrophe,
// without ever making two appellations of one name.

#include "MainDatabaseFixture.h"
#include "updater/maindb/MainDatabaseUpdates.h"

namespace updater::maindb::testing {

namespace {

const QChar rightQuote(0x2019);

class Appellations : public MainDatabaseFixture
{
protected:
    void addAppellation(int id, const QString& name)
    {
        execute(QStringLiteral("INSERT INTO tblPICKAppellation (AppellationID, Appellation) VALUES "
                               "(%1, \"%2\")")
                    .arg(id)
                    .arg(name));
        execute(QStringLiteral("INSERT INTO tblPICKGeoAppellation (AppellationID, CountryID, "
                               "StateRegionID) VALUES (%1, 1, 10)")
                    .arg(id));
    }
    QString name(int id)
    {
        return value(QStringLiteral("SELECT Appellation FROM tblPICKAppellation WHERE "
                                    "AppellationID = %1")
                         .arg(id))
            .toString();
    }
    bool exists(int id)
    {
        return !value(QStringLiteral("SELECT AppellationID FROM tblPICKAppellation WHERE "
                                     "AppellationID = %1")
                          .arg(id))
                    .isNull();
    }
};

TEST_F(Appellations, StraightApostrophesAreReplacedUnlessTheNameIsTaken)
{
    prepareVersion10();
    const QString typographic = QStringLiteral("d") + rightQuote + QStringLiteral("Alba");
    addAppellation(11, QStringLiteral("Barbera d'Alba"));
    execute(QStringLiteral("INSERT INTO tblAppellationAliases (Alias, LocalID) VALUES (\"Barbera "
                           "%1\", 6)")
                .arg(typographic));
    // Taken and unused: deleted with its geography.
    addAppellation(12, QStringLiteral("Nebbiolo d'Alba"));
    addAppellation(13, QStringLiteral("Nebbiolo ") + typographic);
    // Taken and used by a wine: flagged for the user.
    addAppellation(14, QStringLiteral("Dolcetto d'Alba"));
    addAppellation(15, QStringLiteral("Dolcetto ") + typographic);
    addWine(1, QStringLiteral("2001"), QStringLiteral("2003"), QStringLiteral("2004"),
            QStringLiteral("2006"), 1, 1, 14);
    m_user.expectMessage(
        shell::PromptMatcher::exactly(
            QStringLiteral("Several invalid appellations have been flagged for manual deletion.\r\n"
                           "\r\nPlease go in the Tools|Geography data screen and locate the "
                           "following\r\nappellations, then delete them one by one.\r\n\r\n"
                           "Italy - Piemonte - Dolcetto d'Alba")),
        shell::vbOK);

    MainDatabaseUpdate11(m_state);
    ASSERT_FALSE(m_state.hasError()) << m_state.errorText.toStdString();
    EXPECT_EQ(version(), 11);

    EXPECT_EQ(name(11), QStringLiteral("Barbera ") + typographic);
    EXPECT_TRUE(value(QStringLiteral("SELECT Count(*) FROM tblAppellationAliases")).toLong() == 0);
    EXPECT_FALSE(exists(12));
    EXPECT_EQ(value(QStringLiteral("SELECT Count(*) FROM tblPICKGeoAppellation WHERE "
                                   "AppellationID = 12"))
                  .toLong(),
              0);
    EXPECT_TRUE(exists(13));
    EXPECT_EQ(name(14), QStringLiteral("Dolcetto d'Alba*DELETE*"));
    EXPECT_EQ(name(15), QStringLiteral("Dolcetto ") + typographic);
    ASSERT_EQ(m_user.messages().size(), 2u); // the dialog's thanks, then the list
    EXPECT_EQ(m_user.messages()[1].style, shell::vbOKOnly + shell::vbInformation);
    EXPECT_EQ(m_user.messages()[1].title, QStringLiteral("Quorvex Database Update"));
}

TEST_F(Appellations, AFlaggedNameIsCutToFiftyCharacters)
{
    prepareVersion10();
    const QString longName = QStringLiteral("Vigneto dell'Annunziata di Castiglione Falletto");
    addAppellation(21, longName);
    QString typographic = longName;
    typographic.replace(QLatin1Char('\''), rightQuote);
    addAppellation(22, typographic);
    execute(QStringLiteral("INSERT INTO tblWinerySite (WinerySiteID, MasterID, UserID, SiteName, "
                           "AppellationID) VALUES (5, 5, 1, 'Uses it', 21)"));
    m_user.alwaysAnswer(shell::PromptMatcher::containing(QStringLiteral("flagged")), shell::vbOK);

    MainDatabaseUpdate11(m_state);
    ASSERT_FALSE(m_state.hasError()) << m_state.errorText.toStdString();
    EXPECT_EQ(name(21), (longName + QStringLiteral("*DELETE*")).left(50));
}

TEST_F(Appellations, UpdateElevenAddsLocationsAndTheReverseQueryOnce)
{
    prepareVersion10();
    addWine(1, QStringLiteral("2001"), QStringLiteral("2003"), QStringLiteral("2004"),
            QStringLiteral("2006"));
    MainDatabaseUpdate11(m_state);
    ASSERT_FALSE(m_state.hasError()) << m_state.errorText.toStdString();
    // Every wine is in the current selection, so none is outside it.
    EXPECT_EQ(value(QStringLiteral("SELECT Count(*) FROM CurrentQuery")).toLong(), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT Count(*) FROM ReverseQuery")).toLong(), 0);
    execute(QStringLiteral("INSERT INTO tblLocations (ZoneID, HotspotID, CurrentQty, MaxQty, "
                           "LocationName, AllowAllSizes, [Note]) VALUES (1, 'A1', 0, 12, 'Rack "
                           "A', True, 'Cellar door')"));
    EXPECT_EQ(value(QStringLiteral("SELECT LocationID FROM tblLocations")).toLong(), 1);

    // Run again on what it made: nothing is added twice.
    execute(QStringLiteral("UPDATE tblDBVer SET Version = 10"));
    MainDatabaseUpdate11(m_state);
    EXPECT_FALSE(m_state.hasError()) << m_state.errorText.toStdString();
    EXPECT_EQ(version(), 11);
}

} // namespace

} // namespace updater::maindb::testing
