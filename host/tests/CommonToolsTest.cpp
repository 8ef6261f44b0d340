// The common tools and the record-set helper on the current sample cellar: the report source
// for saved queries and all wines, the exchange rate in two currencies and any locale, location
// lines, wine titles, values stored as Null.

#include "host/ExchangeRate.h"
#include "host/LocationLine.h"
#include "HostTestInstallation.h"
#include "platform/jet/recordset/Recordset.h"
#include "platform/vb/Error.h"
#include "platform/vb/OleDate.h"
#include "reports/WineRecord.h"

#include <QFileInfo>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace host::testing {
namespace {

class CommonToolsTest : public HostSessionTest
{
protected:
    HostCommonTools& tools() { return session().commonTools(); }
    qint32 reportSourceCount()
    {
        return scalar(mainDatabase(), u"SELECT Count(*) FROM tblReportSource"_s).toLong();
    }
    QString mainFile() const { return installationFiles().mainDatabase; }
};

TEST_F(CommonToolsTest, ReportSourceHoldsTheSavedQuerysWinesOrAllWines)
{
    tools().FillReportSourceTable();
    EXPECT_EQ(reportSourceCount(), sqliteValue(mainFile(), u"SELECT count(*) FROM tblWines"_s));

    session().setSelection(findSelection(settingsDatabase(), u"Red Wines"_s));
    tools().FillReportSourceTable();
    const qint32 reds = reportSourceCount();
    EXPECT_EQ(reds, sqliteValue(mainFile(), u"SELECT count(*) FROM tblWines w JOIN tblPICKType t "
                                            "ON w.WineTypeID = t.WineTypeID WHERE "
                                            "t.WineType = 'Red'"_s)
                        .toInt());
    EXPECT_GT(reds, 0);
    EXPECT_EQ(scalar(mainDatabase(), u"SELECT Count(*) FROM (SELECT WineID FROM tblReportSource "
                                     "GROUP BY WineID HAVING Count(*) > 1)"_s)
                  .toLong(),
              0);

    // Every saved query's condition runs.
    for (const Selection& query : session().savedQueries()) {
        session().setSelection(query);
        EXPECT_NO_THROW(tools().FillReportSourceTable()) << query.description.toStdString();
    }
}

TEST_F(CommonToolsTest, ExchangeRateConvertsToTheDisplayCurrencyInSqlNumberForm)
{
    const QString settings = installationFiles().settingsDatabase;
    const double usd = sqliteValue(settings, u"SELECT USExchangeRate FROM tblExchangeRates WHERE "
                                             "CurrencyCode = 'USD'"_s)
                           .toDouble();
    const double jpy = sqliteValue(settings, u"SELECT USExchangeRate FROM tblExchangeRates WHERE "
                                             "CurrencyCode = 'JPY'"_s)
                           .toDouble();
    ASSERT_GT(jpy, 1.0);
    const QString stored =
        scalar(settingsDatabase(), u"SELECT DisplayCurrencyCode FROM tblPreferences"_s).toString();

    settingsDatabase().execute(u"UPDATE tblPreferences SET DisplayCurrencyCode = 'USD'"_s);
    double amount = 12.5;
    EXPECT_EQ(tools().f_CorrectExchangeRate(amount), u"12.5"_s);
    EXPECT_DOUBLE_EQ(amount, 12.5);

    settingsDatabase().execute(u"UPDATE tblPreferences SET DisplayCurrencyCode = 'JPY'"_s);
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    amount = 1234.5;
    const QString text = tools().f_CorrectExchangeRate(amount);
    QLocale::setDefault(before);
    EXPECT_NEAR(amount, 1234.5 * jpy / usd, 1e-6);
    EXPECT_FALSE(text.contains(u','));
    EXPECT_NEAR(text.toDouble(), amount, 1e-6);

    settingsDatabase().execute(u"UPDATE tblPreferences SET DisplayCurrencyCode = 'XXX'"_s);
    amount = 1;
    EXPECT_THROW(tools().f_CorrectExchangeRate(amount), vb::Error);
    settingsDatabase().execute(
        u"UPDATE tblPreferences SET DisplayCurrencyCode = '%1'"_s.arg(stored));
    EXPECT_EQ(sqlNumber(0.0000001), u"0.0000001"_s);
    EXPECT_EQ(sqlNumber(-2), u"-2"_s);
}

TEST_F(CommonToolsTest, LocationLinesSplitIntoPlaceAndCount)
{
    QString location;
    qint16 quantity = 0;
    tools().ParseLocationLine(u"Rack A, Bin 12 (3)"_s, location, quantity);
    EXPECT_EQ(location, u"Rack A, Bin 12"_s);
    EXPECT_EQ(quantity, 3);
    tools().ParseLocationLine(u"Shelf (left) (32767)"_s, location, quantity);
    EXPECT_EQ(location, u"Shelf (left)"_s);
    EXPECT_EQ(quantity, 32767);
    EXPECT_EQ(parseLocationLine(formatLocationLine(u"Off-site, Box 4"_s, 12)).location,
              u"Off-site, Box 4"_s);

    for (const QString& bad : {u"Rack A (32768)"_s, u"Rack A (99999999999999999999)"_s,
                               u"Cellar floor"_s, u"(3)"_s, u"Rack A (-1)"_s, u"Rack A (two)"_s}) {
        try {
            tools().ParseLocationLine(bad, location, quantity);
            ADD_FAILURE() << "accepted " << bad.toStdString();
        } catch (const vb::Error& error) {
            EXPECT_TRUE(error.description().contains(bad)) << error.description().toStdString();
        }
    }

    // Every line the cellar stores is one.
    jet::ResultSet rows = mainDatabase().execute(
        u"SELECT BottleLocations FROM tblWines WHERE BottleLocations <> ''"_s);
    int lines = 0;
    for (; !rows.eof(); rows.moveNext())
        for (const QString& line : rows.value(0).toString().split(u"\r\n"_s)) {
            EXPECT_NO_THROW(parseLocationLine(line)) << line.toStdString();
            ++lines;
        }
    EXPECT_GT(lines, 30);
}

// A wine's current row, as the locations module's record class offers it.
class WineRow : public reports::WineRecord
{
public:
    WineRow(jet::Connection& main, qint32 wineId)
    {
        jet::ResultSet row = main.execute(
            u"SELECT WineID, oldWineID, Vintage, Label, WinerySiteID, AppellationID, "
            "BottleSizeID, WineTypeID, BottleLocations FROM tblWines WHERE WineID = %1"_s.arg(
                wineId));
        for (int i = 0; i < row.fieldCount(); ++i)
            m_values << row.value(i);
    }
    qint32 WineID() const override { return m_values[0].toLong(); }
    qint32 oldWineID() const override { return m_values[1].toLong(); }
    QString Vintage() const override { return m_values[2].toString(); }
    QString Label() const override { return m_values[3].toString(); }
    qint32 WinerySiteID() const override { return m_values[4].toLong(); }
    qint32 AppellationID() const override { return m_values[5].toLong(); }
    qint32 BottleSizeID() const override { return m_values[6].toLong(); }
    qint32 WineTypeID() const override { return m_values[7].toLong(); }
    QString BottleLocations() const override { return m_values[8].toString(); }

private:
    QList<vb::Variant> m_values;
};

TEST_F(CommonToolsTest, WineTitleNamesWineryLabelAppellationVintageAndAnUnusualBottle)
{
    const qint32 standard =
        scalar(mainDatabase(), u"SELECT Min(WineID) FROM tblWines WHERE BottleSizeID = 1 AND "
                               "Vintage <> '' AND Label <> '<unknown>'"_s)
            .toLong();
    const QString expected =
        sqliteValue(installationFiles().mainDatabase,
                    u"SELECT s.SiteName || ', ' || w.Label || ', ' || a.Appellation || ' ' || "
                    "w.Vintage FROM tblWines w JOIN tblWinerySite s ON w.WinerySiteID = "
                    "s.WinerySiteID JOIN tblPICKAppellation a ON w.AppellationID = "
                    "a.AppellationID WHERE w.WineID = %1"_s.arg(standard))
            .toString();
    EXPECT_EQ(tools().f_BuildWineTitle(WineRow(mainDatabase(), standard)), expected);

    const qint32 large =
        scalar(mainDatabase(), u"SELECT Min(WineID) FROM tblWines WHERE BottleSizeID > 1"_s)
            .toLong();
    const QString size =
        scalar(mainDatabase(), u"SELECT BottleSize FROM tblPICKBottleSize INNER JOIN tblWines ON "
                               "tblPICKBottleSize.BottleSizeID = tblWines.BottleSizeID WHERE "
                               "WineID = %1"_s.arg(large))
            .toString();
    EXPECT_TRUE(
        tools().f_BuildWineTitle(WineRow(mainDatabase(), large)).endsWith(u" ("_s + size + u')'));
}

TEST_F(CommonToolsTest, EmptyTextsAreStoredAsNullAndTheFolderEndsInASeparator)
{
    EXPECT_TRUE(tools().f_ReturnNullStringOrValue(vb::Variant(u""_s)).isNull());
    EXPECT_TRUE(tools().f_ReturnNullStringOrValue(vb::Variant::null()).isNull());
    EXPECT_EQ(tools().f_ReturnNullStringOrValue(vb::Variant(u"x"_s)), vb::Variant(u"x"_s));
    EXPECT_EQ(tools().f_ReturnNullStringOrValue(vb::Variant(qint32{0})), vb::Variant(qint32{0}));
    EXPECT_TRUE(tools().AppPath().endsWith(u'/'));
    EXPECT_TRUE(QFileInfo::exists(tools().AppPath() + u"settings.dat"_s));
    EXPECT_GT(tools().CT_TwipsX(), 0);
    const double now = tools().f_GetGMTDateTime().toDate();
    EXPECT_NEAR(now, vb::OleDate::fromDateTime(QDateTime::currentDateTimeUtc()), 2.0 / 86400);
}

TEST_F(CommonToolsTest, RecordsetHelperOpensTablesUpdatableOrReadOnly)
{
    HostRecordsetHelper& helper = session().recordsetHelper();
    jet::Recordset version;
    helper.OpenRecordset(version, u"tblDBVer"_s, mainDatabase());
    version.moveFirst();
    const qint32 before = version.value(1).toLong();
    version.setValue(1, vb::Variant(before + 1));
    version.update();
    helper.CloseADOObject(version);
    EXPECT_EQ(scalar(mainDatabase(), u"SELECT MaxBarcodeID FROM tblDBVer"_s).toLong(), before + 1);
    mainDatabase().execute(u"UPDATE tblDBVer SET MaxBarcodeID = %1"_s.arg(before));

    tools().FillReportSourceTable();
    jet::Recordset source;
    helper.OpenRecordset(source, u"tblReportSource"_s, mainDatabase(), true);
    ASSERT_FALSE(source.eof());
    EXPECT_THROW(source.setValue(0, vb::Variant(qint32{1})), vb::Error);
    helper.CloseADOObject(source);
    helper.CloseADOObject(source); // closing twice is no error
}

} // namespace
} // namespace host::testing
