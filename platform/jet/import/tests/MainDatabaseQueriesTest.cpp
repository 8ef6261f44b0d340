// The stored queries of a main wine database - the drink/hold indicator, the user's current
// selection built on it and its reverse - written from the rows a Jet file keeps for them:
// the text is the one the programs wrote, and carried into a database with the main
// database's tables they give the wines, addresses and indicators the tables hold.

#include "ImportedDatabase.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/jet/DatabasePassword.h"
#include "platform/jet/import/QueryImport.h"
#include "platform/jet/import/TableDigest.h"
#include "updater/maindb/MainDatabaseSql.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace jet::importer::test {
namespace {

constexpr int kDistinctRow = 0x08;
constexpr int kInner = 1;
constexpr int kLeft = 2;
constexpr int kRight = 3;

// Stage dates from bit 14 down to bit 0: the updater's fields, last stage first.
const QStringList kStages = [] {
    QStringList fields = updater::maindb::stageDateFields();
    std::reverse(fields.begin(), fields.end());
    return fields;
}();

const QString kAddress =
    u"IIf([tblWinerySite].[Address1]<>\"\",[tblWinerySite].[Address1] & IIf([tblWinerySite]."
    u"[Address2]<>\"\",Chr$(13) & Chr$(10) & [tblWinerySite].[Address2],\"\"),IIf([tblWinerySite]"
    u".[Address2]<>\"\",[tblWinerySite].[Address2]))"_s;

struct Query
{
    QList<QueryRow> rows;
    QString text; // as the programs write it
};

QueryRow row(int attribute, const QString& name1, const QString& name2, const QString& expression,
             int flag = 0)
{
    return {attribute, name1, name2, expression, flag};
}

Query calcDhi()
{
    Query query{{row(5, u"tblWines"_s, {}, {}), row(6, {}, {}, u"tblWines.WineID"_s)},
                u"SELECT tblWines.WineID,"_s};
    QStringList sum;
    for (int bit = 14; bit >= 0; --bit) {
        const QString stage = kStages[14 - bit];
        const int value = 1 << bit;
        const QString term =
            bit == 14 ? u"IIf(Now()>=[tblWines].[%1],%2,0)"_s.arg(stage).arg(value)
                      : u"IIf(Now()>=[tblWines].[%1],%2,IIf(bytDHI%3=%4,%2,0))"_s.arg(stage)
                            .arg(value)
                            .arg(bit + 1)
                            .arg(value * 2);
        const QString alias = u"bytDHI%1"_s.arg(bit);
        query.rows.append(row(6, alias, {}, term));
        query.text += term + u" AS "_s + alias + u","_s;
        sum.prepend(alias);
    }
    query.rows.append(row(6, u"DHI"_s, {}, sum.join(u'+')));
    query.text += sum.join(u'+') + u" AS DHI FROM tblWines;"_s;
    return query;
}

// The selection of the user: the wines of one type.
Query currentQuery()
{
    Query query;
    query.rows = {row(3, {}, {}, {}, kDistinctRow), row(6, {}, {}, u"tblWines.WineID"_s),
                  row(6, u"Address"_s, {}, kAddress), row(6, {}, {}, u"CalcDHI.DHI"_s)};
    const QList<std::pair<QString, QString>> tables{
        {u"tblNotes"_s, u"tblNotes_Country"_s},
        {u"tblNotes"_s, u"tblNotes_Region"_s},
        {u"tblWinerySite"_s, {}},
        {u"tblPICKCountry"_s, {}},
        {u"tblPICKRegion"_s, {}},
        {u"tblPICKAppellation"_s, u"tblPICKAppellation_Winery"_s},
        {u"tblNotes"_s, u"tblNotes_Winery"_s},
        {u"tblNotes"_s, u"tblNotes_AppellationWinery"_s},
        {u"tblPICKType"_s, {}},
        {u"tblPICKBottleSize"_s, {}},
        {u"tblDrinkProfile"_s, {}},
        {u"tblPICKAppellation"_s, u"tblPICKAppellation_Wine"_s},
        {u"tblNotes"_s, u"tblNotes_Wine"_s},
        {u"tblWines"_s, {}},
        {u"tblNotes"_s, u"tblNotes_AppellationWine"_s},
        {u"tblNotes"_s, u"tblNotes_TastingNote"_s},
        {u"tblTastingNotes"_s, {}},
        {u"tblPICKRetailOutlet"_s, {}},
        {u"tblNotes"_s, u"tblNotes_Transaction"_s},
        {u"tblTransactions"_s, {}},
        {u"CalcDHI"_s, {}}};
    for (const auto& [name, alias] : tables) {
        query.rows.append(row(5, name, alias, {}));
    }
    // Jet keeps a join per pair of tables, innermost first.
    const QList<std::tuple<QString, QString, QString, int>> joins{
        {u"tblWinerySite"_s, u"tblPICKCountry"_s, u"CountryID"_s, kLeft},
        {u"tblWinerySite"_s, u"tblPICKRegion"_s, u"StateRegionID"_s, kLeft},
        {u"tblWinerySite"_s, u"tblPICKAppellation_Winery"_s, u"AppellationID"_s, kLeft},
        {u"tblWinerySite"_s, u"tblNotes_Winery"_s, u"NoteID"_s, kLeft},
        {u"tblNotes_Region"_s, u"tblPICKRegion"_s, u"NoteID"_s, kRight},
        {u"tblNotes_Country"_s, u"tblPICKCountry"_s, u"NoteID"_s, kRight},
        {u"tblPICKAppellation_Winery"_s, u"tblNotes_AppellationWinery"_s, u"NoteID"_s, kLeft},
        {u"tblNotes_Wine"_s, u"tblWines"_s, u"NoteID"_s, kRight},
        {u"tblPICKAppellation_Wine"_s, u"tblWines"_s, u"AppellationID"_s, kRight},
        {u"tblPICKAppellation_Wine"_s, u"tblNotes_AppellationWine"_s, u"NoteID"_s, kLeft},
        {u"tblDrinkProfile"_s, u"tblWines"_s, u"DrinkProfileID"_s, kRight},
        {u"tblPICKBottleSize"_s, u"tblWines"_s, u"BottleSizeID"_s, kRight},
        {u"tblPICKType"_s, u"tblWines"_s, u"WineTypeID"_s, kRight},
        {u"tblWinerySite"_s, u"tblWines"_s, u"WinerySiteID"_s, kInner},
        {u"tblNotes_TastingNote"_s, u"tblTastingNotes"_s, u"NoteID"_s, kRight},
        {u"tblWines"_s, u"tblTastingNotes"_s, u"WineID"_s, kLeft},
        {u"tblNotes_Transaction"_s, u"tblTransactions"_s, u"NoteID"_s, kRight},
        {u"tblPICKRetailOutlet"_s, u"tblTransactions"_s, u"RetailStoreID"_s, kRight},
        {u"tblWines"_s, u"tblTransactions"_s, u"WineID"_s, kLeft},
        {u"tblWines"_s, u"CalcDHI"_s, u"WineID"_s, kInner}};
    for (const auto& [left, right, field, kind] : joins) {
        query.rows.append(row(7, left, right, u"%1.%3 = %2.%3"_s.arg(left, right, field), kind));
    }
    query.rows.append(row(8, {}, {}, u"((tblWines.WineID>=0) AND (tblPICKType.WineTypeID=1))"_s));
    query.text =
        u"SELECT DISTINCTROW tblWines.WineID, "_s + kAddress +
        u" AS Address, CalcDHI.DHI FROM (((((tblNotes AS tblNotes_Country RIGHT JOIN (tblNotes AS "
        u"tblNotes_Region RIGHT JOIN ((((tblWinerySite LEFT JOIN tblPICKCountry ON "
        u"tblWinerySite.CountryID = tblPICKCountry.CountryID) LEFT JOIN tblPICKRegion ON "
        u"tblWinerySite.StateRegionID = tblPICKRegion.StateRegionID) LEFT JOIN tblPICKAppellation "
        u"AS tblPICKAppellation_Winery ON tblWinerySite.AppellationID = "
        u"tblPICKAppellation_Winery.AppellationID) LEFT JOIN tblNotes AS tblNotes_Winery ON "
        u"tblWinerySite.NoteID = tblNotes_Winery.NoteID) ON tblNotes_Region.NoteID = "
        u"tblPICKRegion.NoteID) ON tblNotes_Country.NoteID = tblPICKCountry.NoteID) LEFT JOIN "
        u"tblNotes AS tblNotes_AppellationWinery ON tblPICKAppellation_Winery.NoteID = "
        u"tblNotes_AppellationWinery.NoteID) INNER JOIN (tblPICKType RIGHT JOIN "
        u"(tblPICKBottleSize RIGHT JOIN (tblDrinkProfile RIGHT JOIN ((tblPICKAppellation AS "
        u"tblPICKAppellation_Wine RIGHT JOIN (tblNotes AS tblNotes_Wine RIGHT JOIN tblWines ON "
        u"tblNotes_Wine.NoteID = tblWines.NoteID) ON tblPICKAppellation_Wine.AppellationID = "
        u"tblWines.AppellationID) LEFT JOIN tblNotes AS tblNotes_AppellationWine ON "
        u"tblPICKAppellation_Wine.NoteID = tblNotes_AppellationWine.NoteID) ON "
        u"tblDrinkProfile.DrinkProfileID = tblWines.DrinkProfileID) ON "
        u"tblPICKBottleSize.BottleSizeID = tblWines.BottleSizeID) ON tblPICKType.WineTypeID = "
        u"tblWines.WineTypeID) ON tblWinerySite.WinerySiteID = tblWines.WinerySiteID) LEFT JOIN "
        u"(tblNotes AS tblNotes_TastingNote RIGHT JOIN tblTastingNotes ON "
        u"tblNotes_TastingNote.NoteID = tblTastingNotes.NoteID) ON tblWines.WineID = "
        u"tblTastingNotes.WineID) LEFT JOIN (tblPICKRetailOutlet RIGHT JOIN (tblNotes AS "
        u"tblNotes_Transaction RIGHT JOIN tblTransactions ON tblNotes_Transaction.NoteID = "
        u"tblTransactions.NoteID) ON tblPICKRetailOutlet.RetailStoreID = "
        u"tblTransactions.RetailStoreID) ON tblWines.WineID = tblTransactions.WineID) INNER JOIN "
        u"CalcDHI ON tblWines.WineID = CalcDHI.WineID WHERE ((tblWines.WineID>=0) AND "
        u"(tblPICKType.WineTypeID=1));"_s;
    return query;
}

Query reverseQuery()
{
    Query query;
    query.rows = {
        row(3, {}, {}, {}, kDistinctRow),
        row(5, u"tblWinerySite"_s, {}, {}),
        row(5, u"tblWines"_s, {}, {}),
        row(5, u"CalcDHI"_s, {}, {}),
        row(5, u"CurrentQuery"_s, {}, {}),
        row(6, {}, {}, u"tblWines.WineID"_s),
        row(6, u"Address"_s, {}, kAddress),
        row(6, {}, {}, u"CalcDHI.DHI"_s),
        row(7, u"tblWines"_s, u"CalcDHI"_s, u"tblWines.WineID = CalcDHI.WineID"_s, kInner),
        row(7, u"tblWines"_s, u"CurrentQuery"_s, u"tblWines.WineID = CurrentQuery.WineID"_s, kLeft),
        row(7, u"tblWinerySite"_s, u"tblWines"_s,
            u"tblWinerySite.WinerySiteID = tblWines.WinerySiteID"_s, kInner),
        row(8, {}, {}, u"(((CurrentQuery.WineID) Is Null))"_s)};
    query.text = u"SELECT DISTINCTROW tblWines.WineID, "_s + kAddress +
                 u" AS Address, CalcDHI.DHI FROM tblWinerySite INNER JOIN ((tblWines INNER JOIN "
                 u"CalcDHI ON tblWines.WineID = CalcDHI.WineID) LEFT JOIN CurrentQuery ON "
                 u"tblWines.WineID = CurrentQuery.WineID) ON tblWinerySite.WinerySiteID = "
                 u"tblWines.WinerySiteID WHERE (((CurrentQuery.WineID) Is Null));"_s;
    return query;
}

QString withoutBlanks(QString text)
{
    return text.remove(QRegularExpression(u"\\s+"_s));
}

class MainDatabaseQueries : public testing::Test
{
protected:
    void SetUp() override
    {
        const QString path = m_dir.filePath(u"cellar.qvd"_s);
        createDatabase(path, DatabasePassword::systemPassword());
        m_connection.open(connectionStringFor(path));
        QStringList dates;
        for (const QString& stage : kStages) {
            dates.append(stage + u" DATETIME"_s);
        }
        const QStringList script{
            u"CREATE TABLE tblNotes (NoteID LONG PRIMARY KEY, Note MEMO)"_s,
            u"CREATE TABLE tblPICKCountry (CountryID LONG PRIMARY KEY, NoteID LONG)"_s,
            u"CREATE TABLE tblPICKRegion (StateRegionID LONG PRIMARY KEY, NoteID LONG)"_s,
            u"CREATE TABLE tblPICKAppellation (AppellationID LONG PRIMARY KEY, NoteID LONG)"_s,
            u"CREATE TABLE tblPICKType (WineTypeID LONG PRIMARY KEY)"_s,
            u"CREATE TABLE tblPICKBottleSize (BottleSizeID LONG PRIMARY KEY)"_s,
            u"CREATE TABLE tblDrinkProfile (DrinkProfileID LONG PRIMARY KEY)"_s,
            u"CREATE TABLE tblPICKRetailOutlet (RetailStoreID LONG PRIMARY KEY)"_s,
            u"CREATE TABLE tblWinerySite (WinerySiteID LONG PRIMARY KEY, CountryID LONG, "
            u"StateRegionID LONG, AppellationID LONG, NoteID LONG, Address1 TEXT(50), "
            u"Address2 TEXT(50))"_s,
            u"CREATE TABLE tblWines (WineID LONG PRIMARY KEY, WinerySiteID LONG, WineTypeID LONG, "
            u"BottleSizeID LONG, DrinkProfileID LONG, AppellationID LONG, NoteID LONG, "_s +
                dates.join(u", "_s) + u")"_s,
            u"CREATE TABLE tblTastingNotes (TastingNoteID LONG PRIMARY KEY, WineID LONG, "
            u"NoteID LONG)"_s,
            u"CREATE TABLE tblTransactions (TransactionID LONG PRIMARY KEY, WineID LONG, "
            u"NoteID LONG, RetailStoreID LONG)"_s,
            u"INSERT INTO tblNotes VALUES (1, 'country')"_s,
            u"INSERT INTO tblNotes VALUES (2, 'appellation')"_s,
            u"INSERT INTO tblNotes VALUES (3, 'wine')"_s,
            u"INSERT INTO tblPICKCountry VALUES (1, 1)"_s,
            u"INSERT INTO tblPICKRegion VALUES (1, Null)"_s,
            u"INSERT INTO tblPICKAppellation VALUES (1, 2)"_s,
            u"INSERT INTO tblPICKType VALUES (1)"_s, u"INSERT INTO tblPICKType VALUES (2)"_s,
            u"INSERT INTO tblPICKBottleSize VALUES (1)"_s,
            u"INSERT INTO tblDrinkProfile VALUES (1)"_s,
            u"INSERT INTO tblPICKRetailOutlet VALUES (1)"_s,
            u"INSERT INTO tblWinerySite VALUES (1, 1, 1, 1, Null, 'Rue 1', 'Cedex')"_s,
            u"INSERT INTO tblWinerySite VALUES (2, Null, Null, Null, Null, '', 'PO Box')"_s,
            // Wine 1 is past every stage, wine 2 has no dates, wine 3 is past the first three.
            u"INSERT INTO tblWines (WineID, WinerySiteID, WineTypeID, BottleSizeID, "
            u"DrinkProfileID, AppellationID, NoteID) VALUES (1, 1, 1, 1, 1, 1, 3)"_s,
            u"INSERT INTO tblWines (WineID, WinerySiteID, WineTypeID) VALUES (2, 2, 1)"_s,
            u"INSERT INTO tblWines (WineID, WinerySiteID, WineTypeID, BottleSizeID, "
            u"DrinkProfileID, AppellationID) VALUES (3, 1, 2, 1, 1, 1)"_s,
            u"UPDATE tblWines SET "_s + kStages.join(u" = #1/1/2000#, "_s) +
                u" = #1/1/2000# WHERE WineID = 1"_s,
            u"UPDATE tblWines SET datHoldEndSoon = #1/1/2000#, datDrinkHoldNew = #1/1/2000#, "
            u"datDrinkHold = #1/1/2000# WHERE WineID = 3"_s,
            u"INSERT INTO tblTastingNotes VALUES (1, 1, Null)"_s,
            u"INSERT INTO tblTastingNotes VALUES (2, 1, 3)"_s,
            u"INSERT INTO tblTransactions VALUES (1, 1, Null, 1)"_s,
            u"INSERT INTO tblTransactions VALUES (2, 3, 1, Null)"_s};
        for (const QString& sql : script) {
            m_connection.execute(sql);
        }
    }

    // WineID -> (Address, DHI) of a query's rows.
    std::map<qint32, std::pair<QString, qint32>> wines(const QString& sql)
    {
        std::map<qint32, std::pair<QString, qint32>> found;
        for (ResultSet rows = m_connection.execute(sql); !rows.eof(); rows.moveNext()) {
            const vb::Variant address = rows.value(1);
            found[rows.value(0).toLong()] = {address.isNull() ? QString() : address.toString(),
                                             rows.value(2).toLong()};
        }
        return found;
    }
    QByteArray digest(const QString& sql)
    {
        TableDigest digest;
        for (ResultSet rows = m_connection.execute(sql); !rows.eof(); rows.moveNext()) {
            QList<vb::Variant> values;
            for (int i = 0; i < rows.fieldCount(); ++i) {
                values.append(rows.value(i));
            }
            digest.addRow(values);
        }
        return digest.result();
    }

    QTemporaryDir m_dir;
    Connection m_connection;
};

TEST_F(MainDatabaseQueries, KeepTheirTextAndGiveTheRowsOfTheTables)
{
    const std::map<QString, Query> queries{{u"CalcDHI"_s, calcDhi()},
                                           {u"CurrentQuery"_s, currentQuery()},
                                           {u"ReverseQuery"_s, reverseQuery()}};
    QList<SourceQuery> sources;
    for (const QString& name : {u"CalcDHI"_s, u"CurrentQuery"_s, u"ReverseQuery"_s}) {
        sources.append(SourceQuery{name, queryText(queries.at(name).rows)});
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(withoutBlanks(sources.last().text.jetSql), withoutBlanks(queries.at(name).text));
    }
    ImportReport report;
    importStoredQueries(m_connection, sources, report);
    ASSERT_EQ(report.queries.size(), 3);
    EXPECT_TRUE(report.queriesLeftBehind.isEmpty());
    for (const ImportedQuery& query : report.queries) {
        EXPECT_FALSE(query.procedure);
        EXPECT_TRUE(query.parameters.isEmpty());
    }

    using Wines = std::map<qint32, std::pair<QString, qint32>>;
    EXPECT_EQ(wines(u"SELECT WineID, Null, DHI FROM CalcDHI"_s),
              (Wines{{1, {{}, 32767}}, {2, {{}, 0}}, {3, {{}, 7}}}));
    EXPECT_EQ(wines(u"SELECT * FROM CurrentQuery"_s),
              (Wines{{1, {u"Rue 1\r\nCedex"_s, 32767}}, {2, {u"PO Box"_s, 0}}}));
    EXPECT_EQ(wines(u"SELECT * FROM ReverseQuery"_s), (Wines{{3, {u"Rue 1\r\nCedex"_s, 7}}}));
    // Row for row what the text the programs wrote gives, a wine once per tasting note and
    // transaction line.
    EXPECT_EQ(digest(u"SELECT * FROM CurrentQuery"_s), digest(queries.at(u"CurrentQuery"_s).text));
    EXPECT_EQ(digest(u"SELECT * FROM ReverseQuery"_s), digest(queries.at(u"ReverseQuery"_s).text));
}

} // namespace
} // namespace jet::importer::test
