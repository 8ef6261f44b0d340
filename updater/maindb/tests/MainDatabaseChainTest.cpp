// The chain from version 3 to 11 on a small main wine database: what each update leaves in
// the rows the tests put there.

#include "common/Registry_Management.h"
#include "common/ShowProgress.h"
#include "MainDatabaseFixture.h"
#include "platform/shell/WaitCursor.h"
#include "updater/maindb/MainDatabaseSql.h"
#include "updater/maindb/MainDatabaseUpdates.h"
#include "updater/UpdateChains.h"
#include "vb/DateFunctions.h"

#include <QDate>

namespace updater::maindb::testing {

namespace {

QDate dateOf(const vb::Variant& value)
{
    if (value.isNull())
        return {};
    return QDate(vb::Year(value).toLong(), vb::Month(value).toLong(), vb::Day(value).toLong());
}

class MainChain : public MainDatabaseFixture
{
protected:
    QDate dateField(int wineId, const QString& field)
    {
        return dateOf(value(
            QStringLiteral("SELECT %1 FROM tblWines WHERE WineID = %2").arg(field).arg(wineId)));
    }
    QString textField(int wineId, const QString& field)
    {
        return value(QStringLiteral("SELECT %1 FROM tblWines WHERE WineID = %2")
                         .arg(field)
                         .arg(wineId))
            .toString();
    }
};

TEST(MainDatabaseChain, EachVersionFromThreeToTenStartsWithTheNextUpdate)
{
    using Procedure = void (*)(RunState&);
    const Procedure updates[] = {MainDatabaseUpdate4,  MainDatabaseUpdate5, MainDatabaseUpdate6,
                                 MainDatabaseUpdate7,  MainDatabaseUpdate8, MainDatabaseUpdate9,
                                 MainDatabaseUpdate10, MainDatabaseUpdate11};
    UpdateChains chains;
    addMainDatabaseChain(chains);
    EXPECT_EQ(chains.firstUpdate(DatabaseKind::Main, 2), nullptr);
    EXPECT_EQ(chains.firstUpdate(DatabaseKind::Main, 11), nullptr);
    EXPECT_EQ(chains.firstUpdate(DatabaseKind::Settings, 3), nullptr);
    for (std::int16_t version = 3; version <= 10; ++version) {
        const UpdateProcedure* first = chains.firstUpdate(DatabaseKind::Main, version);
        ASSERT_NE(first, nullptr) << version;
        ASSERT_NE(first->target<Procedure>(), nullptr) << version;
        EXPECT_EQ(*first->target<Procedure>(), updates[version - 3]) << version;
    }
}

TEST_F(MainChain, EachUpdateShowsItsTitleAndStepsAndTheDialogGetsTheNormalCursor)
{
    QStringList lines;
    DatabaseHelpers::ProgressLine progress([&](const QString& text) {
        if (!text.isEmpty() && (lines.isEmpty() || lines.last() != text))
            lines << text;
    });
    shell::setMousePointer(shell::vbHourglass);
    ASSERT_TRUE(runChain()) << m_state.errorText.toStdString();
    EXPECT_EQ(shell::mousePointer(), shell::vbHourglass);
    shell::setMousePointer(shell::vbDefault);
    ASSERT_FALSE(m_user.messages().empty());
    EXPECT_FALSE(m_user.messages()[0].hourglass); // the dialog's thanks

    const std::pair<int, int> steps[] = {{4, 4}, {5, 5}, {6, 12},  {7, 1},
                                         {8, 5}, {9, 1}, {10, 10}, {11, 4}};
    QStringList expected;
    for (const auto& [update, count] : steps)
        for (int step = 1; step <= count; ++step)
            expected << QStringLiteral("Main Database Update %1 step %2 of %3")
                            .arg(update)
                            .arg(step)
                            .arg(count);
    EXPECT_EQ(lines.join(QLatin1Char('\n')).toStdString(),
              expected.join(QLatin1Char('\n')).toStdString());
}

TEST(MainDatabaseQueries, IndicatorTermsCarryEachStageIntoTheOnesBelow)
{
    const QString sql = calcDhiQuery();
    EXPECT_TRUE(sql.startsWith(QStringLiteral(
        "SELECT tblWines.WineID,IIf(Now()>=[tblWines].[datDead],16384,0) AS bytDHI14,"
        "IIf(Now()>=[tblWines].[datDeadNew],8192,IIf(bytDHI14=16384,8192,0)) AS bytDHI13,")));
    EXPECT_TRUE(sql.contains(QStringLiteral(
        "IIf(Now()>=[tblWines].[datPeakPassed],128,IIf(bytDHI8=256,128,0)) AS bytDHI7,")));
    EXPECT_TRUE(sql.endsWith(QStringLiteral(
        "IIf(Now()>=[tblWines].[datHoldEndSoon],1,IIf(bytDHI1=2,1,0)) AS bytDHI0,"
        "bytDHI0+bytDHI1+bytDHI2+bytDHI3+bytDHI4+bytDHI5+bytDHI6+bytDHI7+bytDHI8+bytDHI9+"
        "bytDHI10+bytDHI11+bytDHI12+bytDHI13+bytDHI14 AS DHI FROM tblWines;")));
}

TEST_F(MainChain, WineDrinkingWindowAndItsStageDates)
{
    addWine(1, QStringLiteral("1998"), QStringLiteral("2000"), QStringLiteral("2004"),
            QStringLiteral("2008"));
    ASSERT_TRUE(runChain(1)) << m_state.errorText.toStdString();
    EXPECT_EQ(version(), 11);

    EXPECT_EQ(textField(1, QStringLiteral("DrinkFrom")), QStringLiteral("2000-07"));
    EXPECT_EQ(textField(1, QStringLiteral("Optimal")), QStringLiteral("2004-07"));
    EXPECT_EQ(textField(1, QStringLiteral("Peak")), QStringLiteral("2006-07"));
    EXPECT_EQ(textField(1, QStringLiteral("DrinkTo")), QStringLiteral("2008-07"));
    EXPECT_EQ(textField(1, QStringLiteral("LifeSpan")), QStringLiteral("14"));
    EXPECT_EQ(textField(1, QStringLiteral("PeriodBandWidth")), QStringLiteral("12"));

    // Each point opens three stages, half a band (six months) around it; the death stages
    // count from the vintage plus the life span (2012).
    const QList<QDate> expected{{2000, 1, 1}, {2000, 7, 1}, {2001, 1, 1}, {2004, 1, 1},
                                {2004, 7, 1}, {2005, 1, 1}, {2006, 1, 1}, {2006, 7, 1},
                                {2007, 1, 1}, {2008, 1, 1}, {2008, 7, 1}, {2009, 1, 1},
                                {2012, 1, 1}, {2012, 7, 1}, {2013, 1, 1}};
    const QStringList& stages = stageDateFields();
    for (int i = 0; i < stages.size(); ++i)
        EXPECT_EQ(dateField(1, stages[i]), expected[i]) << stages[i].toStdString();

    EXPECT_EQ(textField(1, QStringLiteral("Varieties")),
              QStringLiteral("Nebbiolo - 85%\r\nBarbera - 15%"));
    EXPECT_FALSE(
        value(QStringLiteral("SELECT HasLabel FROM tblWines WHERE WineID = 1")).toBoolean());
    // Long past its death: every stage reached.
    EXPECT_EQ(value(QStringLiteral("SELECT DHI FROM CalcDHI WHERE WineID = 1")).toLong(), 32767);
}

TEST_F(MainChain, WineWithoutReadableOldYearsKeepsNoWindow)
{
    addWine(1, QStringLiteral("1998"), QStringLiteral("2000"), QStringLiteral("2004"),
            QStringLiteral("2008"));
    addWine(2, QString(), QString(), QString(), QString(), 1, 0, 6);
    addWine(3, QStringLiteral("NV"), QStringLiteral("soon"), QStringLiteral(""),
            QStringLiteral("2010"));
    ASSERT_TRUE(runChain(1)) << m_state.errorText.toStdString();
    for (const int wine : {2, 3}) {
        for (const char* field :
             {"DrinkFrom", "Optimal", "Peak", "DrinkTo", "LifeSpan", "datHoldEndSoon", "datDead"})
            EXPECT_TRUE(value(QStringLiteral("SELECT %1 FROM tblWines WHERE WineID = %2")
                                  .arg(QLatin1String(field))
                                  .arg(wine))
                            .isNull())
                << wine << field;
        EXPECT_EQ(
            value(QStringLiteral("SELECT DHI FROM CalcDHI WHERE WineID = %1").arg(wine)).toLong(),
            0);
    }
    EXPECT_EQ(textField(1, QStringLiteral("Peak")), QStringLiteral("2006-07"));
    // A missing vintage is kept as an empty one.
    const vb::Variant vintage =
        value(QStringLiteral("SELECT Vintage FROM tblWines WHERE WineID = 2"));
    EXPECT_FALSE(vintage.isNull());
    EXPECT_EQ(vintage.toString(), QString());
}

TEST_F(MainChain, AVintageThatIsNotAYearStopsTheChainWithItsName)
{
    addWine(1, QStringLiteral("98ab"), QStringLiteral("2000"), QStringLiteral("2004"),
            QStringLiteral("2008"));
    EXPECT_FALSE(runChain(1));
    EXPECT_EQ(m_state.errorText,
              QStringLiteral("The vintage \"98ab\" of wine 1 is not a year. Correct or clear it in "
                             "the wine's record, then run the update again."));
    EXPECT_EQ(m_state.errorSource, QStringLiteral("MainDatabaseUpdate10"));
    EXPECT_EQ(version(), 9);
}

TEST_F(MainChain, IndicatorAtAKnownMoment)
{
    addWine(1, QStringLiteral("1998"), QStringLiteral("2000"), QStringLiteral("2004"),
            QStringLiteral("2008"));
    ASSERT_TRUE(runChain(1)) << m_state.errorText.toStdString();
    // Stages 0 to 7 a year ago, 8 to 14 in a year: the peak has just passed.
    const QStringList& stages = stageDateFields();
    QStringList sets;
    for (int k = 0; k < stages.size(); ++k)
        sets << QStringLiteral("%1 = Now() %2 365")
                    .arg(stages[k], k <= 7 ? QStringLiteral("-") : QStringLiteral("+"));
    execute(QStringLiteral("UPDATE tblWines SET ") + sets.join(QStringLiteral(", ")));
    EXPECT_EQ(value(QStringLiteral("SELECT DHI FROM CalcDHI WHERE WineID = 1")).toLong(), 255);

    // A later stage reached carries every earlier one, also one whose date lies ahead.
    execute(QStringLiteral("UPDATE tblWines SET datBestNew = Now() + 365"));
    EXPECT_EQ(value(QStringLiteral("SELECT DHI FROM CalcDHI WHERE WineID = 1")).toLong(), 255);

    execute(QStringLiteral("UPDATE tblWines SET datHoldEndSoon = Now() + 365, datDrinkHoldNew = "
                           "Now() + 365, datDrinkHold = Now() + 365, datDrinkHoldEndSoon = Now() "
                           "+ 365, datBestLeftOfPeak = Now() + 365, datPeakComingUp = Now() + "
                           "365, datPeakPassed = Now() + 365"));
    EXPECT_EQ(value(QStringLiteral("SELECT DHI FROM CalcDHI WHERE WineID = 1")).toLong(), 0);
}

TEST_F(MainChain, DrinkProfilesBecomeMonths)
{
    execute(QStringLiteral("INSERT INTO tblDrinkProfile (DrinkProfileID, ProfileName) VALUES (2, "
                           "'Unknown')"));
    ASSERT_TRUE(runChain(1)) << m_state.errorText.toStdString();
    jet::ResultSet profile = main().execute(
        QStringLiteral("SELECT DeltaFrom, DeltaBest, DeltaPeak, DeltaTo, LifeSpan, "
                       "PeriodBandWidth FROM tblDrinkProfile WHERE DrinkProfileID = 1"));
    ASSERT_FALSE(profile.eof());
    EXPECT_EQ(profile.value(0).toLong(), 24);
    EXPECT_EQ(profile.value(1).toLong(), 60);
    EXPECT_EQ(profile.value(2).toLong(), 84);
    EXPECT_EQ(profile.value(3).toLong(), 108);
    EXPECT_EQ(profile.value(4).toLong(), 13);
    EXPECT_EQ(profile.value(5).toLong(), 12);
    profile.close();
    // A profile without old offsets is left as it was.
    EXPECT_TRUE(
        value(QStringLiteral("SELECT DeltaPeak FROM tblDrinkProfile WHERE DrinkProfileID = 2"))
            .isNull());
}

TEST_F(MainChain, WineriesSharingAMasterNumberAreMerged)
{
    execute(QStringLiteral("INSERT INTO tblWinerySite (WinerySiteID, MasterID, SiteName) VALUES "
                           "(40, 17, 'Cascina Alta')"));
    execute(QStringLiteral("INSERT INTO tblWinerySite (WinerySiteID, MasterID, SiteName) VALUES "
                           "(52, 17, 'Cascina Alta (2)')"));
    execute(QStringLiteral("INSERT INTO tblWinerySite (WinerySiteID, MasterID, SiteName) VALUES "
                           "(60, 18, 'Other')"));
    addWine(1, QStringLiteral("1998"), QStringLiteral("2000"), QStringLiteral("2004"),
            QStringLiteral("2008"), 40);
    addWine(2, QStringLiteral("1999"), QStringLiteral("2000"), QStringLiteral("2004"),
            QStringLiteral("2008"), 52);
    execute(QStringLiteral("INSERT INTO tblTastingNotes (TastingNoteID, WineID, [Date], Author, "
                           "MasterID) VALUES (1, 1, #5/1/2003#, 'Veltrano', 9)"));
    execute(QStringLiteral("INSERT INTO tblTastingNotes (TastingNoteID, WineID, [Date], Author, "
                           "MasterID) VALUES (2, 1, #6/1/2003#, 'Critic', 9)"));
    execute(QStringLiteral("INSERT INTO tblTastingNotes (TastingNoteID, WineID, [Date], Author, "
                           "MasterID) VALUES (3, 1, #7/1/2003#, 'Anna', 0)"));
    ASSERT_TRUE(runChain()) << m_state.errorText.toStdString();

    EXPECT_TRUE(value(QStringLiteral("SELECT SiteName FROM tblWinerySite WHERE WinerySiteID = 40"))
                    .isNull());
    EXPECT_EQ(
        value(QStringLiteral("SELECT Count(*) FROM tblWines WHERE WinerySiteID = 52")).toLong(), 2);
    EXPECT_EQ(
        value(QStringLiteral("SELECT UserID FROM tblWinerySite WHERE WinerySiteID = 52")).toLong(),
        1);
    EXPECT_EQ(
        value(QStringLiteral("SELECT UserID FROM tblWinerySite WHERE WinerySiteID = 1")).toLong(),
        uniqueId);
    EXPECT_EQ(
        value(QStringLiteral("SELECT MasterID FROM tblWinerySite WHERE WinerySiteID = 1")).toLong(),
        1);
    const auto note = [&](int id, const char* field) {
        return value(QStringLiteral("SELECT %1 FROM tblTastingNotes WHERE TastingNoteID = %2")
                         .arg(QLatin1String(field))
                         .arg(id))
            .toLong();
    };
    EXPECT_EQ(note(1, "UserID"), 4);
    EXPECT_EQ(note(2, "UserID"), 3);
    EXPECT_EQ(note(3, "UserID"), uniqueId);
    EXPECT_EQ(note(3, "MasterID"), 3);
    // (UserID, MasterID) is unique now.
    execute(QStringLiteral("INSERT INTO tblWinerySite (MasterID, UserID, SiteName) VALUES (17, 2, "
                           "'Copy')"));
    EXPECT_THROW(execute(QStringLiteral("INSERT INTO tblWinerySite (MasterID, UserID, SiteName) "
                                        "VALUES (17, 1, 'Copy')")),
                 vb::Error);
}

TEST_F(MainChain, WinesAreNumberedAndStamped)
{
    addWine(1, QStringLiteral("1998"), QStringLiteral("2000"), QStringLiteral("2004"),
            QStringLiteral("2008"), 1, 7);
    addWine(2, QStringLiteral("1999"), QStringLiteral("2000"), QStringLiteral("2004"),
            QStringLiteral("2008"), 1, 0);
    addWine(3, QStringLiteral("2000"), QStringLiteral("2000"), QStringLiteral("2004"),
            QStringLiteral("2008"), 1, 0);
    execute(QStringLiteral("INSERT INTO tblTransactions (WineID, [Date], [Time], Quantity) "
                           "VALUES (1, #3/4/2002#, #10:20:30#, 6)"));
    execute(QStringLiteral("INSERT INTO tblTransactions (WineID, [Date], [Time], Quantity) "
                           "VALUES (1, #1/5/2001#, #08:00:00#, 6)"));
    execute(QStringLiteral("INSERT INTO tblTransactions (WineID, [Date], [Time], Quantity) "
                           "VALUES (1, #2/6/2003#, #19:45:00#, -2)"));
    execute(QStringLiteral("INSERT INTO tblTastingNotes (WineID, [Date], Author, MasterID) "
                           "VALUES (1, #8/9/2003#, 'Anna', 0)"));
    ASSERT_TRUE(runChain()) << m_state.errorText.toStdString();

    EXPECT_EQ(value(QStringLiteral("SELECT oldWineID FROM tblWines WHERE WineID = 2")).toLong(), 8);
    EXPECT_EQ(value(QStringLiteral("SELECT oldWineID FROM tblWines WHERE WineID = 3")).toLong(), 9);
    EXPECT_EQ(value(QStringLiteral("SELECT MaxBarcodeID FROM tblDBVer")).toLong(), 9);

    // Created and LastModif: first and last transaction in key order, day and time joined.
    const vb::Variant created =
        value(QStringLiteral("SELECT Created FROM tblWines WHERE WineID = 1"));
    const vb::Variant modified =
        value(QStringLiteral("SELECT LastModif FROM tblWines WHERE WineID = 1"));
    EXPECT_EQ(dateOf(created), QDate(2002, 3, 4));
    EXPECT_EQ(vb::Hour(created).toLong() * 3600 + vb::Minute(created).toLong() * 60 +
                  vb::Second(created).toLong(),
              10 * 3600 + 20 * 60 + 30);
    EXPECT_EQ(dateOf(modified), QDate(2003, 2, 6));
    EXPECT_EQ(vb::Hour(modified).toLong(), 19);
    EXPECT_FALSE(value(QStringLiteral("SELECT Created FROM tblWines WHERE WineID = 2")).isNull());

    // First and last dates of purchases, removals and notes.
    EXPECT_EQ(dateField(1, QStringLiteral("FirstBought")), QDate(2001, 1, 5));
    EXPECT_EQ(dateField(1, QStringLiteral("LastBought")), QDate(2002, 3, 4));
    EXPECT_EQ(dateField(1, QStringLiteral("FirstRemoval")), QDate(2003, 2, 6));
    EXPECT_EQ(dateField(1, QStringLiteral("LastTastingNote")), QDate(2003, 8, 9));
    EXPECT_FALSE(dateField(2, QStringLiteral("FirstBought")).isValid());

    // The settings' preferences, the currency shortened to its code.
    EXPECT_EQ(value(QStringLiteral("SELECT StorageCurrencyCode FROM tblDBVer")).toString(),
              QStringLiteral("EUR"));
    const vb::Variant download = value(QStringLiteral("SELECT LastWineriesDownload FROM tblDBVer"));
    EXPECT_EQ(dateOf(download), QDate(2003, 5, 30));
    EXPECT_EQ(vb::Hour(download).toLong(), 21);
    EXPECT_EQ(Registry_Management::GetProductSetting(reg::HKEY_CURRENT_USER,
                                                     QStringLiteral("LastSelections"),
                                                     QStringLiteral("QueryID"), QString()),
              QStringLiteral("0"));
}

TEST_F(MainChain, NumberingPast32767IsAnOverflow)
{
    addWine(1, QStringLiteral("1998"), QStringLiteral("2000"), QStringLiteral("2004"),
            QStringLiteral("2008"), 1, 32766);
    addWine(2, QStringLiteral("1999"), QStringLiteral("2000"), QStringLiteral("2004"),
            QStringLiteral("2008"), 1, 0);
    addWine(3, QStringLiteral("2000"), QStringLiteral("2000"), QStringLiteral("2004"),
            QStringLiteral("2008"), 1, 0);
    MainDatabaseUpdate4(m_state);
    EXPECT_TRUE(m_state.errorText.startsWith(QStringLiteral("Overflow")))
        << m_state.errorText.toStdString();
    EXPECT_TRUE(m_state.errorText.contains(QStringLiteral("wine 3")));
    EXPECT_EQ(m_state.errorSource, QStringLiteral("MainDatabaseUpdate5"));
    EXPECT_EQ(version(), 4); // the chain stopped in update 5
}

TEST_F(MainChain, UpdateFourCreatesWithoutLookingFirst)
{
    execute(QStringLiteral("CREATE TABLE tblCountryAliases (Alias TEXT(30))"));
    MainDatabaseUpdate4(m_state);
    EXPECT_TRUE(m_state.hasError());
    EXPECT_EQ(version(), 3);
}

} // namespace

} // namespace updater::maindb::testing
