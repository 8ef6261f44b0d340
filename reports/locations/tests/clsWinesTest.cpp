// The wine record class on a copy of the sample cellar's current wine database, with the
// host's own helper objects: what it saves is read back with plain SQLite, its stage dates
// are compared with the updater's statement, and every failing operation names itself.

#include "reports/locations/clsWines.h"

#include "host/HostSession.h"
#include "LocationsTestCellar.h"
#include "platform/vb/Format.h"
#include "updater/maindb/MainDatabaseSql.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace stovanic::testing {
namespace {

// The host's record-set helper, counted.
class CountingRecordsets : public reports::RecordsetHelper
{
public:
    explicit CountingRecordsets(reports::RecordsetHelper& host) : m_host(host) {}

    void OpenRecordset(jet::Recordset& recordset, const QString& source,
                       jet::Connection& connection, bool readOnly) override
    {
        opened << source;
        m_host.OpenRecordset(recordset, source, connection, readOnly);
    }
    void CloseADOObject(jet::Recordset& recordset) override
    {
        ++closed;
        m_host.CloseADOObject(recordset);
    }

    QStringList opened;
    int closed = 0;

private:
    reports::RecordsetHelper& m_host;
};

class WineRecord : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_file = copyOfMainDatabase(u"clsWinesTest.qvd"_s);
        m_session =
            std::make_unique<host::HostSession>(host::HostFiles::inFolder(cellarFolder(), m_file));
        m_recordsets = std::make_unique<CountingRecordsets>(m_session->recordsetHelper());
        m_wines = std::make_unique<clsWines>(hostObjects());
    }
    void TearDown() override
    {
        m_wines.reset();
        m_session.reset();
    }

    clsWines::HostObjects hostObjects()
    {
        return {m_session->mainDatabase(), m_session->commonTools(), *m_recordsets,
                m_session->sqlTexts()};
    }

    // Writes what the engine batched, so that plain SQLite sees it.
    QString value(const QString& sql)
    {
        m_session->mainDatabase().execute(u"SELECT 1"_s);
        return sqliteValue(m_file, sql);
    }
    QString column(const QString& field, qint32 wineID)
    {
        return value(u"SELECT %1 FROM tblWines WHERE WineID = %2"_s.arg(field).arg(wineID));
    }
    // A wine's key by its position in key order.
    qint32 wineAt(int index)
    {
        return sqliteRows(m_file, u"SELECT WineID FROM tblWines ORDER BY WineID"_s)
            .at(index)
            .front()
            .toInt();
    }
    void seek(qint32 wineID)
    {
        m_wines->setWineID(wineID);
        ASSERT_TRUE(m_wines->SeekRecord()) << wineID;
    }
    void setWindow(const QString& vintage, qint16 lifeSpan, qint16 bandwidth)
    {
        m_wines->setVintage(vintage);
        m_wines->setDrinkFrom(u"2010-01"_s);
        m_wines->setOptimal(u"2012-04"_s);
        m_wines->setPeak(u"2014-09"_s);
        m_wines->setDrinkTo(u"2018-11"_s);
        m_wines->setLifeSpan(lifeSpan);
        m_wines->setPeriodBandwidth(bandwidth);
    }

    QString m_file;
    std::unique_ptr<host::HostSession> m_session;
    std::unique_ptr<CountingRecordsets> m_recordsets;
    std::unique_ptr<clsWines> m_wines;
};

const QStringList kStages{u"datHoldEndSoon"_s,      u"datDrinkHoldNew"_s, u"datDrinkHold"_s,
                          u"datDrinkHoldEndSoon"_s, u"datBestNew"_s,      u"datBestLeftOfPeak"_s,
                          u"datPeakComingUp"_s,     u"datPeakPassed"_s,   u"datBestRightOfPeak"_s,
                          u"datBestEndSoon"_s,      u"datDecliningNew"_s, u"datDeclining"_s,
                          u"datDecliningEndSoon"_s, u"datDeadNew"_s,      u"datDead"_s};

TEST_F(WineRecord, SavesTheCombinedVarietiesTheLabelFlagAndEmptyTextsAsNull)
{
    const qint32 wine = wineAt(3);
    seek(wine);
    m_wines->setVariety1(u"Merlot"_s);
    m_wines->setVarietyPerc1(u"60%"_s);
    m_wines->setVariety2(u"Cabernet Franc"_s);
    m_wines->setVarietyPerc2(u"40%"_s);
    m_wines->setVariety3(u"<unknown>"_s);
    m_wines->setVariety4(u"Syrah"_s);
    m_wines->setVarietyPerc4(u"5%"_s);
    m_wines->setWineLabelPointer(u""_s);
    m_wines->setUser01(u""_s);
    m_wines->setUser02(u"Gift"_s);
    ASSERT_TRUE(m_wines->Modify());
    EXPECT_EQ(column(u"Varieties"_s, wine), u"Merlot - 60%\r\nCabernet Franc - 40%"_s);
    EXPECT_EQ(column(u"HasLabel"_s, wine), u"0"_s);
    EXPECT_EQ(column(u"User01 IS NULL"_s, wine), u"1"_s);
    EXPECT_EQ(column(u"WineLabelPointer IS NULL"_s, wine), u"1"_s);
    EXPECT_EQ(column(u"User02"_s, wine), u"Gift"_s);

    // An unused first slot stores "<unknown>" whatever the later slots hold.
    m_wines->setVariety1(u"<unknown>"_s);
    m_wines->setWineLabelPointer(u"labels/merlot.jpg"_s);
    ASSERT_TRUE(m_wines->Modify());
    EXPECT_EQ(column(u"Varieties"_s, wine), u"<unknown>"_s);
    EXPECT_EQ(column(u"HasLabel"_s, wine), u"-1"_s);

    // The row reads back as it was saved.
    m_wines->MoveFirst();
    seek(wine);
    EXPECT_EQ(m_wines->Variety2(), u"Cabernet Franc"_s);
    EXPECT_EQ(m_wines->WineLabelPointer(), u"labels/merlot.jpg"_s);
}

TEST_F(WineRecord, StageDatesAreStoredUnderTheirNamesAndMatchTheUpdatersStatement)
{
    const qint32 wine = wineAt(5);
    seek(wine);
    setWindow(u"2005"_s, 20, 12);
    ASSERT_TRUE(m_wines->Modify());
    EXPECT_EQ(column(u"datHoldEndSoon"_s, wine).toDouble(), oleDays(2009, 7, 1));
    EXPECT_EQ(column(u"datDeadNew"_s, wine).toDouble(), oleDays(2025, 7, 1));
    EXPECT_EQ(column(u"datDead"_s, wine).toDouble(), oleDays(2026, 1, 1));

    // An odd band width: every half month rounded as the updater rounds it.
    setWindow(u"2005"_s, 20, 13);
    ASSERT_TRUE(m_wines->Modify());
    const QString stages = kStages.join(u", "_s);
    value(u"SELECT 1"_s);
    const QStringList saved =
        sqliteRows(m_file, u"SELECT %1 FROM tblWines WHERE WineID = %2"_s.arg(stages).arg(wine))
            .value(0);
    m_session->mainDatabase().execute(updater::maindb::stageDatesStatement());
    const QStringList updaters =
        sqliteRows(m_file, u"SELECT %1 FROM tblWines WHERE WineID = %2"_s.arg(stages).arg(wine))
            .value(0);
    ASSERT_EQ(saved.size(), 15);
    EXPECT_EQ(saved, updaters);
    EXPECT_EQ(saved[2].toDouble(), oleDays(2010, 8, 1));  // datDrinkHold: 1 + 6.5 -> 8
    EXPECT_EQ(saved[0].toDouble(), oleDays(2009, 6, 1));  // datHoldEndSoon: 1 - 6.5 -> -6
    EXPECT_EQ(saved[14].toDouble(), oleDays(2026, 2, 1)); // datDead: 7 + 6.5 -> 14

    // No numeric vintage: the death year is the window's start year plus the life span.
    for (const QString& vintage : {u""_s, u"NV"_s}) {
        setWindow(vintage, 10, 12);
        ASSERT_TRUE(m_wines->Modify());
        EXPECT_EQ(column(u"datDeadNew"_s, wine).toDouble(), oleDays(2020, 7, 1))
            << vintage.toStdString();
    }
    // A point left empty has no stage dates; the others keep theirs.
    m_wines->setPeak(u""_s);
    ASSERT_TRUE(m_wines->Modify());
    EXPECT_EQ(column(u"datPeakPassed IS NULL AND datPeakComingUp IS NULL"_s, wine), u"1"_s);
    EXPECT_EQ(column(u"datBestNew"_s, wine).toDouble(), oleDays(2012, 4, 1));
}

TEST_F(WineRecord, SeeksByEachOfItsThreeIndexesAndByAnEmptyKeyOnAnyOther)
{
    const QStringList row =
        sqliteRows(m_file, u"SELECT WineID, oldWineID, WinerySiteID, Label, Vintage, "
                           "AppellationID, BottleSizeID FROM tblWines WHERE Vintage <> '' "
                           "ORDER BY WineID LIMIT 1 OFFSET 7"_s)
            .value(0);
    ASSERT_EQ(row.size(), 7);
    EXPECT_EQ(m_wines->RecordsetIndex(), u"PrimaryKey"_s);
    seek(row[0].toInt());
    EXPECT_EQ(m_wines->oldWineID(), row[1].toInt());
    EXPECT_EQ(m_wines->Label(), row[3]);

    m_wines->Clear();
    m_wines->setRecordsetIndex(u"oldWineID"_s);
    m_wines->setoldWineID(row[1].toInt());
    ASSERT_TRUE(m_wines->SeekRecord());
    EXPECT_EQ(m_wines->WineID(), row[0].toInt());

    m_wines->Clear();
    m_wines->setRecordsetIndex(u"UniqueWine"_s);
    m_wines->setWinerySiteID(row[2].toInt());
    m_wines->setLabel(row[3]);
    m_wines->setVintage(row[4]);
    m_wines->setAppellationID(row[5].toInt());
    m_wines->setBottleSizeID(row[6].toInt());
    ASSERT_TRUE(m_wines->SeekRecord());
    EXPECT_EQ(m_wines->WineID(), row[0].toInt());

    // A key that is not there: false, and the record set stands after the last row.
    m_wines->setRecordsetIndex(u"PrimaryKey"_s);
    m_wines->setWineID(999999);
    EXPECT_FALSE(m_wines->SeekRecord());
    EXPECT_TRUE(m_wines->EOF_());

    // Another index takes no key values from the members: the seek is given an empty key,
    // which the engine refuses as ADO does; the error comes back under SeekRecord's name.
    m_wines.reset();
    m_session->mainDatabase().execute(u"CREATE INDEX ByWinery ON tblWines (WinerySiteID)"_s);
    m_wines = std::make_unique<clsWines>(hostObjects());
    seek(row[0].toInt());
    m_wines->setRecordsetIndex(u"ByWinery"_s);
    try {
        m_wines->SeekRecord();
        ADD_FAILURE() << "a seek on ByWinery was given a key";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.source(), u"clsWines.SeekRecord"_s);
        EXPECT_TRUE(error.description().contains(u"0 value"_s))
            << error.description().toStdString();
    }
    // The members are those of the row last loaded.
    EXPECT_EQ(m_wines->WineID(), row[0].toInt());
}

TEST_F(WineRecord, MovesFindAndBookmarksLoadTheRowTheyReach)
{
    m_wines->MoveFirst();
    EXPECT_EQ(m_wines->WineID(), wineAt(0));
    m_wines->MoveNext();
    EXPECT_EQ(m_wines->WineID(), wineAt(1));
    const vb::Variant second = m_wines->Bookmark();
    m_wines->MoveLast();
    const qint32 last = m_wines->WineID();
    EXPECT_EQ(QString::number(last), value(u"SELECT Max(WineID) FROM tblWines"_s));
    // Past the end nothing is loaded: the members keep the last row.
    m_wines->MoveNext();
    EXPECT_TRUE(m_wines->EOF_());
    EXPECT_EQ(m_wines->WineID(), last);
    m_wines->MovePrevious();
    EXPECT_EQ(m_wines->WineID(), last);

    m_wines->setBookmark(second);
    EXPECT_EQ(m_wines->WineID(), wineAt(1));

    const QStringList wine =
        sqliteRows(m_file, u"SELECT WineID, Label FROM tblWines ORDER BY WineID DESC LIMIT 1 "
                           "OFFSET 2"_s)
            .value(0);
    m_wines->MoveFirst();
    ASSERT_TRUE(m_wines->f_FindRecord(u"WineID = "_s + wine[0]));
    EXPECT_EQ(m_wines->Label(), wine[1]);
    EXPECT_FALSE(m_wines->f_FindRecord(u"WineID = "_s + wine[0], 1));
    EXPECT_TRUE(m_wines->EOF_());
    ASSERT_TRUE(m_wines->f_FindRecord(u"WineID = "_s + QString::number(wineAt(0)), 0,
                                      jet::SearchDirection::Backward, second));
    EXPECT_EQ(m_wines->WineID(), wineAt(0));

    // Filter and Sort go straight to the record set.
    m_wines->setFilter(u"QOH > 0"_s);
    EXPECT_EQ(QString::number(m_wines->RecordCount()),
              value(u"SELECT Count(*) FROM tblWines WHERE QOH > 0"_s));
    EXPECT_EQ(m_wines->Filter(), u"QOH > 0"_s);
    m_wines->setFilter(u""_s);
    m_wines->setSort(u"WineID DESC"_s);
    m_wines->MoveFirst();
    EXPECT_EQ(m_wines->WineID(), last);
    EXPECT_EQ(m_wines->Sort(), u"WineID DESC"_s);
}

TEST_F(WineRecord, AColumnThatCannotBeReadLeavesItsMemberAsItWas)
{
    const qint32 known = wineAt(1);
    const qint32 empty = wineAt(2);
    m_session->mainDatabase().execute(
        u"UPDATE tblWines SET Peak = '2015-06', User03 = 'Kept', LifeSpan = 25 WHERE WineID = "_s +
        QString::number(known));
    m_session->mainDatabase().execute(
        u"UPDATE tblWines SET Peak = Null, User03 = Null, LifeSpan = Null WHERE WineID = "_s +
        QString::number(empty));
    seek(known);
    seek(empty);
    EXPECT_EQ(m_wines->WineID(), empty);
    EXPECT_EQ(m_wines->Peak(), u"2015-06"_s);
    EXPECT_EQ(m_wines->User03(), u"Kept"_s);
    EXPECT_EQ(m_wines->LifeSpan(), 25);
}

TEST_F(WineRecord, AddTakesTheNextRunningNumberAndReadsBackTheNewKey)
{
    const QString counter = u"SELECT * FROM tblDBVer"_s;
    const int before = sqliteRows(m_file, counter).value(0).value(1).toInt();
    const QString wines = value(u"SELECT Count(*) FROM tblWines"_s);
    // The running number must be free for the new wine.
    const int highest = value(u"SELECT Max(oldWineID) FROM tblWines"_s).toInt();
    ASSERT_GE(before, highest);

    m_wines->Clear();
    m_wines->setLabel(u"Cuvée du Test"_s);
    m_wines->setVintage(u"2019"_s);
    m_wines->setWinerySiteID(wineAt(0));
    m_wines->setBottleLocations(u"Rack T (6)"_s);
    const QDateTime start = QDateTime::currentDateTimeUtc().addSecs(-2);
    ASSERT_TRUE(m_wines->Add());
    EXPECT_EQ(sqliteRows(m_file, counter).value(0).value(1).toInt(), before + 1);
    EXPECT_EQ(m_wines->oldWineID(), before + 1);
    EXPECT_EQ(QString::number(m_wines->WineID()), value(u"SELECT Max(WineID) FROM tblWines"_s));
    EXPECT_EQ(value(u"SELECT Count(*) FROM tblWines"_s).toInt(), wines.toInt() + 1);
    const qint32 added = m_wines->WineID();
    EXPECT_EQ(column(u"Label"_s, added), u"Cuvée du Test"_s);
    EXPECT_EQ(column(u"oldWineID"_s, added).toInt(), before + 1);
    EXPECT_EQ(column(u"Varieties"_s, added), u"<unknown>"_s);
    EXPECT_EQ(column(u"PeriodBandWidth"_s, added), u"12"_s);
    const double created = column(u"Created"_s, added).toDouble();
    EXPECT_GE(created, oleDays(start.date().year(), start.date().month(), start.date().day()));
    EXPECT_EQ(column(u"Created = LastModif"_s, added), u"1"_s);
    EXPECT_TRUE(m_recordsets->opened.contains(u"tblDBVer"_s));

    // The next one takes the next number.
    m_wines->setLabel(u"Cuvée du Test II"_s);
    ASSERT_TRUE(m_wines->Add());
    EXPECT_EQ(m_wines->oldWineID(), before + 2);
}

TEST_F(WineRecord, AFailedAddKeepsNeitherTheRowNorTheRunningNumber)
{
    const QString counter = u"SELECT * FROM tblDBVer"_s;
    const QStringList before = sqliteRows(m_file, counter).value(0);
    const QString wines = value(u"SELECT Count(*) FROM tblWines"_s);
    m_wines->Clear();
    m_wines->setLabel(QString(300, u'x')); // longer than the column holds
    try {
        m_wines->Add();
        ADD_FAILURE() << "Add of a label too long succeeded";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.source(), u"clsWines.Add"_s);
        EXPECT_FALSE(error.description().isEmpty());
    }
    EXPECT_EQ(value(u"SELECT Count(*) FROM tblWines"_s), wines);
    EXPECT_EQ(sqliteRows(m_file, counter).value(0), before);
    // Nothing is pending: moving and modifying work on the table as it was.
    m_wines->MoveFirst();
    EXPECT_EQ(m_wines->WineID(), wineAt(0));
    m_wines->setUser05(u"after"_s);
    ASSERT_TRUE(m_wines->Modify());
    EXPECT_EQ(column(u"User05"_s, wineAt(0)), u"after"_s);
    EXPECT_EQ(value(u"SELECT Count(*) FROM tblWines"_s), wines);
}

TEST_F(WineRecord, DeleteRemovesTheCurrentRow)
{
    const qint32 wine = wineAt(4);
    seek(wine);
    ASSERT_TRUE(m_wines->Delete());
    EXPECT_EQ(value(u"SELECT Count(*) FROM tblWines WHERE WineID = "_s + QString::number(wine)),
              u"0"_s);
    m_wines->setWineID(wine);
    EXPECT_FALSE(m_wines->SeekRecord());
}

TEST_F(WineRecord, RecalculatedDatesComeFromTheWinesNotesAndTransactions)
{
    const QString withNotes = sqliteValue(
        m_file, u"SELECT WineID FROM tblTastingNotes WHERE [Date] IS NOT NULL GROUP BY WineID "
                "HAVING Count(*) > 1 LIMIT 1"_s);
    ASSERT_FALSE(withNotes.isEmpty());
    seek(withNotes.toInt());
    m_session->mainDatabase().execute(
        u"UPDATE tblWines SET FirstTastingNote = Null, LastTastingNote = Null"_s);
    seek(withNotes.toInt()); // the row is read again when the record set comes onto it
    bool changed = false;
    ASSERT_TRUE(m_wines->ReCalcTNDates(&changed));
    EXPECT_TRUE(changed);
    const QStringList range = sqliteRows(m_file, u"SELECT Min([Date]), Max([Date]) FROM "
                                                 "tblTastingNotes WHERE WineID = "_s +
                                                     withNotes)
                                  .value(0);
    EXPECT_EQ(column(u"FirstTastingNote"_s, withNotes.toInt()), range[0]);
    EXPECT_EQ(column(u"LastTastingNote"_s, withNotes.toInt()), range[1]);
    EXPECT_EQ(m_wines->FirstTastingNote(),
              vb::Format(vb::Variant::fromDate(range[0].toDouble()), u"General Date"_s).toString());
    ASSERT_TRUE(m_wines->ReCalcTNDates(&changed));
    EXPECT_FALSE(changed);

    // Without notes both dates are emptied, and that always counts as a change.
    m_session->mainDatabase().execute(u"DELETE FROM tblTastingNotes WHERE WineID = "_s + withNotes);
    for (int run = 0; run < 2; ++run) {
        changed = false;
        ASSERT_TRUE(m_wines->ReCalcTNDates(&changed));
        EXPECT_TRUE(changed) << run;
        EXPECT_EQ(
            column(u"FirstTastingNote IS NULL AND LastTastingNote IS NULL"_s, withNotes.toInt()),
            u"1"_s);
        EXPECT_EQ(m_wines->FirstTastingNote(), u""_s);
    }

    // Purchases and removals.
    const QString traded = sqliteValue(
        m_file, u"SELECT WineID FROM tblTransactions GROUP BY WineID HAVING Sum(Quantity > 0) > 1 "
                "AND Sum(Quantity < 0) > 0 LIMIT 1"_s);
    ASSERT_FALSE(traded.isEmpty());
    seek(traded.toInt());
    ASSERT_TRUE(m_wines->ReCalcTxDates(&changed));
    const auto range2 = [&](const QString& sign) {
        return sqliteRows(m_file, u"SELECT Min([Date]), Max([Date]) FROM tblTransactions WHERE "
                                  "WineID = %1 AND Quantity %2 0"_s.arg(traded, sign))
            .value(0);
    };
    EXPECT_EQ((QStringList{column(u"FirstBought"_s, traded.toInt()),
                           column(u"LastBought"_s, traded.toInt())}),
              range2(u">"_s));
    EXPECT_EQ((QStringList{column(u"FirstRemoval"_s, traded.toInt()),
                           column(u"LastRemoval"_s, traded.toInt())}),
              range2(u"<"_s));
    ASSERT_TRUE(m_wines->ReCalcTxDates(&changed));
    EXPECT_FALSE(changed);
    ASSERT_TRUE(m_wines->ReCalcTxDates()); // the flag is optional
}

TEST_F(WineRecord, SetFirstDatesWriteTheColumnsThePropertiesShowAsGeneralDates)
{
    const qint32 wine = wineAt(6);
    seek(wine);
    const vb::Variant bought = vb::Variant::fromDate(oleDays(2021, 3, 14) + 0.5);
    ASSERT_TRUE(m_wines->SetFirstTxDates(bought));
    const QString shown = vb::Format(bought, u"General Date"_s).toString();
    EXPECT_EQ(m_wines->FirstBought(), shown);
    EXPECT_EQ(m_wines->LastBought(), shown);
    EXPECT_EQ(column(u"FirstBought"_s, wine).toDouble(), bought.toDate());

    const vb::Variant oldest = vb::Variant::fromDate(oleDays(2019, 1, 2));
    const vb::Variant youngest = vb::Variant::fromDate(oleDays(2022, 12, 31));
    ASSERT_TRUE(m_wines->SetFirstTNsDates(oldest, youngest));
    EXPECT_EQ(m_wines->FirstTastingNote(), vb::Format(oldest, u"General Date"_s).toString());
    EXPECT_EQ(m_wines->LastTastingNote(), vb::Format(youngest, u"General Date"_s).toString());
    EXPECT_EQ(column(u"LastTastingNote"_s, wine).toDouble(), youngest.toDate());
}

TEST_F(WineRecord, ClearGivesANewWinesValues)
{
    seek(wineAt(2));
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-2);
    m_wines->Clear();
    EXPECT_EQ(m_wines->WineID(), 0);
    EXPECT_EQ(m_wines->QOH(), 0);
    EXPECT_EQ(m_wines->Value().toDouble(), 0.0);
    EXPECT_EQ(m_wines->WinerySiteID() + m_wines->AppellationID() + m_wines->BottleSizeID() +
                  m_wines->WineTypeID() + m_wines->DrinkProfileID() + m_wines->NoteID() +
                  m_wines->oldWineID(),
              0);
    EXPECT_FALSE(m_wines->ShoppingList() || m_wines->TastingNote() || m_wines->PreSelect());
    for (const QString& text :
         {m_wines->Vintage(), m_wines->Label(), m_wines->WineLabelPointer(), m_wines->DrinkFrom(),
          m_wines->DrinkTo(), m_wines->Optimal(), m_wines->Peak(), m_wines->BottleLocations(),
          m_wines->User01(), m_wines->User05(), m_wines->VarietyPerc1(), m_wines->VarietyPerc5()})
        EXPECT_EQ(text, u""_s);
    for (const QString& variety : {m_wines->Variety1(), m_wines->Variety3(), m_wines->Variety5()})
        EXPECT_EQ(variety, u"<unknown>"_s);
    EXPECT_EQ(m_wines->LifeSpan(), 1);
    EXPECT_EQ(m_wines->PeriodBandwidth(), 12);
    const QDate today = before.date();
    EXPECT_GE(m_wines->Created().toDate(), oleDays(today.year(), today.month(), today.day()));
    EXPECT_LT(m_wines->LastModif().toDate(),
              oleDays(today.year(), today.month(), today.day()) + 1.0001);
}

TEST_F(WineRecord, EveryFailingOperationPassesItsErrorOnUnderItsOwnName)
{
    auto sourceOf = [](const std::function<void()>& operation) {
        try {
            operation();
        } catch (const vb::Error& error) {
            EXPECT_NE(error.number(), 0);
            return error.source();
        }
        return u"(no error)"_s;
    };
    clsWines& w = *m_wines;
    w.MoveLast();
    w.MoveNext(); // after the last row: no current row to work on
    EXPECT_EQ(sourceOf([&] { w.Delete(); }), u"clsWines.Delete"_s);
    EXPECT_EQ(sourceOf([&] { w.Modify(); }), u"clsWines.Modify"_s);
    EXPECT_EQ(sourceOf([&] { w.SetFirstTxDates(vb::Variant::fromDate(40000)); }),
              u"clsWines.SetFirstTxDates"_s);
    EXPECT_EQ(sourceOf([&] {
                  w.SetFirstTNsDates(vb::Variant::fromDate(40000), vb::Variant::fromDate(40001));
              }),
              u"clsWines.SetFirstTNsDates"_s);
    EXPECT_EQ(sourceOf([&] { w.ReCalcTNDates(); }), u"clsWines.ReCalcTNDates"_s);
    EXPECT_EQ(sourceOf([&] { w.ReCalcTxDates(); }), u"clsWines.ReCalcTxDates"_s);
    EXPECT_EQ(sourceOf([&] { w.setFilter(u"Label = = 'x'"_s); }), u"clsWines.Filter"_s);
    EXPECT_EQ(sourceOf([&] { w.f_FindRecord(u"NoSuchField = 1"_s); }), u"clsWines.f_FindRecord"_s);
    EXPECT_EQ(sourceOf([&] { w.setRecordsetIndex(u"NoSuchIndex"_s); }),
              u"clsWines.RecordsetIndex"_s);
    w.setRecordsetIndex(u""_s);
    EXPECT_EQ(sourceOf([&] { w.SeekRecord(); }), u"clsWines.SeekRecord"_s);
    w.setRecordsetIndex(u"PrimaryKey"_s);
    w.Clear();
    w.setLabel(QString(300, u'y'));
    EXPECT_EQ(sourceOf([&] { w.Add(); }), u"clsWines.Add"_s);
    // A Modify that fails leaves nothing pending for the next move to save.
    seek(wineAt(0));
    w.setLabel(QString(300, u'z'));
    EXPECT_EQ(sourceOf([&] { w.Modify(); }), u"clsWines.Modify"_s);
    w.MoveNext();
    EXPECT_NE(column(u"Length(Label)"_s, wineAt(0)), u"300"_s);
}

TEST_F(WineRecord, TheRecordSetIsClosedThroughTheHostWhenTheObjectGoes)
{
    EXPECT_EQ(m_recordsets->closed, 0);
    m_wines.reset();
    EXPECT_EQ(m_recordsets->closed, 1);
}

TEST_F(WineRecord, ATableOfAnotherLayoutIsRefused)
{
    m_wines.reset();
    m_session->mainDatabase().execute(u"ALTER TABLE tblWines DROP COLUMN datDead"_s);
    try {
        clsWines wines(hostObjects());
        ADD_FAILURE() << "a table without datDead was taken";
    } catch (const vb::Error& error) {
        EXPECT_TRUE(error.description().contains(u"not laid out"_s))
            << error.description().toStdString();
        EXPECT_EQ(error.source(), u"clsWines"_s);
    }
}

} // namespace
} // namespace stovanic::testing
