// Every numbered SQL text runs in Jet SQL on the current sample cellar and returns the fields
// the reports bind, for the rows they are meant for.

#include "HostTestInstallation.h"
#include "platform/vb/Error.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace host::testing {
namespace {

class SqlTextsTest : public HostSessionTest
{
protected:
    QString text(qint16 number) { return session().sqlTexts().Item(number); }

    static QString filled(QString sql, const QString& first, const QString& second = {})
    {
        sql.replace(u"[_%1%_]"_s, first, Qt::CaseInsensitive);
        sql.replace(u"[_%2%_]"_s, second, Qt::CaseInsensitive);
        return sql;
    }

    static QStringList fieldNames(const jet::ResultSet& rows)
    {
        QStringList names;
        for (int i = 0; i < rows.fieldCount(); ++i)
            names << rows.field(i).name;
        return names;
    }

    static void expectFields(const jet::ResultSet& rows, const QStringList& wanted)
    {
        const QStringList names = fieldNames(rows);
        for (const QString& name : wanted)
            EXPECT_TRUE(names.contains(name)) << name.toStdString() << " missing";
    }

    qint32 wineWith(const QString& condition)
    {
        return scalar(mainDatabase(), u"SELECT Min(WineID) FROM tblWines WHERE "_s + condition)
            .toLong();
    }
};

TEST_F(SqlTextsTest, CellarBookTextGivesEveryBoundFieldOncePerSelectedWine)
{
    session().commonTools().FillReportSourceTable();
    jet::ResultSet rows = mainDatabase().execute(filled(text(7), u"1"_s));
    QStringList wanted{u"Wine_ID"_s,
                       u"Winery_Name"_s,
                       u"Wine2"_s,
                       u"Wine_Vintage"_s,
                       u"Wine_BottleSize"_s,
                       u"Wine_Type"_s,
                       u"Winery_Country"_s,
                       u"Winery_Region"_s,
                       u"Wine_Appellation"_s,
                       u"Wine_Label"_s,
                       u"Wine_DisplayValue"_s,
                       u"Wine_DrinkProfile"_s,
                       u"Wine_Lifespan"_s,
                       u"Wine_From"_s,
                       u"Wine_Best"_s,
                       u"Wine_Peak"_s,
                       u"Wine_To"_s,
                       u"Winery_Address"_s,
                       u"Winery_Phone"_s,
                       u"Winery_Fax"_s,
                       u"Winery_Email"_s,
                       u"Winery_Website"_s,
                       u"Wine_BottleLocations"_s,
                       u"Wine_Note"_s,
                       u"Wine_Varieties"_s,
                       u"Wine_Picture"_s};
    for (int user = 1; user <= 5; ++user)
        wanted << u"Wine_User%1"_s.arg(user);
    for (const char* phase :
         {"Hold", "HoldEnding", "DrinkHoldStarting", "DrinkHold", "DrinkHoldEnding", "BestStarting",
          "BestUp", "BestDown", "BestEnding", "PeakStarting", "PeakEnding", "DecliningStarting",
          "Declining", "DecliningEnding", "DeadStarting", "Dead"})
        wanted << u"dhi_"_s + QLatin1String(phase);
    expectFields(rows, wanted);

    QSet<qint32> wines;
    int picturesFound = 0;
    int picturesMissing = 0;
    int longestVarieties = 0;
    QStringList websites;
    for (; !rows.eof(); rows.moveNext()) {
        wines.insert(rows.value(u"Wine_ID"_s).toLong());
        const QString picture = rows.value(u"Wine_Picture"_s).toString();
        if (!picture.isEmpty()) {
            EXPECT_TRUE(QFileInfo(picture).isAbsolute()) << picture.toStdString();
            (QFileInfo::exists(picture) ? picturesFound : picturesMissing) += 1;
        }
        const vb::Variant varieties = rows.value(u"Wine_Varieties"_s);
        if (!varieties.isNull())
            longestVarieties = std::max(
                longestVarieties, static_cast<int>(varieties.toString().split(u"\r\n"_s).size()));
        if (!rows.value(u"Winery_Website"_s).isNull())
            websites << rows.value(u"Winery_Website"_s).toString();
    }
    EXPECT_EQ(wines.size(), scalar(mainDatabase(), u"SELECT Count(*) FROM tblWines"_s).toLong());
    EXPECT_GT(picturesFound, 0);
    EXPECT_GT(picturesMissing, 0);
    EXPECT_GT(longestVarieties, 5);
    EXPECT_FALSE(websites.filter(u"http://"_s, Qt::CaseSensitive).isEmpty());
    EXPECT_FALSE(websites.filter(u"HTTP://"_s, Qt::CaseSensitive).isEmpty());
}

TEST_F(SqlTextsTest, CellarBookValuesTakeTheExchangeRateFactor)
{
    const qint32 wine = wineWith(u"[Value] > 10"_s);
    mainDatabase().execute(u"DELETE * FROM tblReportSource"_s);
    mainDatabase().execute(u"INSERT INTO tblReportSource (WineID) VALUES (%1)"_s.arg(wine));
    jet::ResultSet rows = mainDatabase().execute(filled(text(7), u"2.5"_s));
    ASSERT_FALSE(rows.eof());
    EXPECT_NEAR(
        rows.value(u"Wine_DisplayValue"_s).toDouble(),
        2.5 * scalar(mainDatabase(), u"SELECT [Value] FROM tblWines WHERE WineID = %1"_s.arg(wine))
                  .toDouble(),
        1e-9);
    rows.moveNext();
    EXPECT_TRUE(rows.eof());
}

TEST_F(SqlTextsTest, TastingNotesAndTransactionsOfOneWine)
{
    const qint32 wine = wineWith(u"WineID IN (SELECT WineID FROM tblTastingNotes) AND WineID IN "
                                 "(SELECT WineID FROM tblTransactions WHERE Quantity < 0)"_s);
    ASSERT_GT(wine, 0);
    const QString key = QString::number(wine);

    jet::ResultSet notes = mainDatabase().execute(filled(text(101), key));
    expectFields(notes, {u"Date"_s, u"Score"_s, u"NoteText"_s});
    int noteRows = 0;
    for (; !notes.eof(); notes.moveNext())
        ++noteRows;
    EXPECT_EQ(noteRows, scalar(mainDatabase(),
                               u"SELECT Count(*) FROM tblTastingNotes WHERE WineID = "_s + key)
                            .toLong());

    jet::ResultSet moves = mainDatabase().execute(filled(text(102), u"2"_s, key));
    expectFields(moves, {u"Date"_s, u"Store"_s, u"NoteText"_s, u"Quantity"_s, u"Tx_DisplayCost"_s});
    double cost = 0;
    int moveRows = 0;
    for (; !moves.eof(); moves.moveNext()) {
        ++moveRows;
        cost += moves.value(u"Tx_DisplayCost"_s).toDouble();
    }
    EXPECT_EQ(moveRows, scalar(mainDatabase(),
                               u"SELECT Count(*) FROM tblTransactions WHERE WineID = "_s + key)
                            .toLong());
    EXPECT_NEAR(
        cost,
        2 * scalar(mainDatabase(), u"SELECT Sum(Cost) FROM tblTransactions WHERE WineID = "_s + key)
                .toDouble(),
        1e-6);
}

TEST_F(SqlTextsTest, DateTextsGiveAWinesDatesOldestFirst)
{
    const qint32 wine = wineWith(u"WineID IN (SELECT WineID FROM tblTransactions WHERE Quantity "
                                 "< 0) AND WineID IN (SELECT WineID FROM tblTastingNotes)"_s);
    const QString key = QString::number(wine);
    const QList<std::pair<qint16, QString>> texts{
        {93, u"SELECT Count(*) FROM tblTransactions WHERE Quantity > 0 AND WineID = "_s + key},
        {94, u"SELECT Count(*) FROM tblTransactions WHERE Quantity < 0 AND WineID = "_s + key},
        {95, u"SELECT Count(*) FROM tblTastingNotes WHERE WineID = "_s + key}};
    for (const auto& [number, countSql] : texts) {
        jet::ResultSet rows = mainDatabase().execute(filled(text(number), key));
        double previous = -1e9;
        int count = 0;
        for (; !rows.eof(); rows.moveNext(), ++count) {
            EXPECT_EQ(rows.value(0).type(), vb::VarType::Date) << number;
            EXPECT_GE(rows.value(0).toDate(), previous) << number;
            previous = rows.value(0).toDate();
        }
        EXPECT_EQ(count, scalar(mainDatabase(), countSql).toLong()) << number;
        EXPECT_GT(count, 0) << number;
    }
}

TEST_F(SqlTextsTest, LocationTextsOrderTheWorkTableByLocationOrByWineAndEmptyIt)
{
    jet::Connection& settings = settingsDatabase();
    settings.execute(text(79));
    const QStringList rows{u"('Zinfandel 1999', 'Rack A, Bin 2', 3, '12$$Rack A, Bin 2')"_s,
                           u"('Barolo 1996', 'Rack B, Bin 1', 1, '4$$Rack B, Bin 1')"_s,
                           u"('Barolo 1996', 'Rack A, Bin 9', 2, '4$$Rack A, Bin 9')"_s};
    for (const QString& row : rows)
        settings.execute(u"INSERT INTO tblLocationReport (WineTitle, Location, Quantity, "
                         "LocationKey) VALUES "_s +
                         row);
    const auto order = [&settings](const QString& sql) {
        QStringList seen;
        jet::ResultSet result = settings.execute(sql);
        expectFields(result, {u"Location"_s, u"Quantity"_s, u"WineTitle"_s});
        for (; !result.eof(); result.moveNext())
            seen << result.value(u"Location"_s).toString();
        return seen;
    };
    EXPECT_EQ(order(text(28)),
              (QStringList{u"Rack A, Bin 2"_s, u"Rack A, Bin 9"_s, u"Rack B, Bin 1"_s}));
    EXPECT_EQ(order(text(29)),
              (QStringList{u"Rack A, Bin 9"_s, u"Rack B, Bin 1"_s, u"Rack A, Bin 2"_s}));
    settings.execute(text(79));
    EXPECT_EQ(scalar(settings, u"SELECT Count(*) FROM tblLocationReport"_s).toLong(), 0);
}

TEST_F(SqlTextsTest, AnUnknownNumberNamesIt)
{
    try {
        text(8);
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::SubscriptOutOfRange);
        EXPECT_TRUE(error.description().contains(u"8"_s));
    }
    EXPECT_EQ(session().userTexts().Item(32), sqliteValue(installationFiles().settingsDatabase,
                                                          u"SELECT UserName FROM tblPreferences"_s)
                                                  .toString());
}

} // namespace
} // namespace host::testing
