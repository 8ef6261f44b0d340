// The report tests' database, made through the Jet engine like the users' databases.
#include "ReportTestDatabase.h"

#include "platform/jet/Connection.h"
#include "platform/jet/DatabaseFile.h"

using namespace Qt::StringLiterals;

namespace report::testing {
namespace {

const QString kPassword = u"testpassword"_s;

QString quoted(QString text)
{
    return u"'"_s + text.replace(u"'"_s, u"''"_s) + u"'"_s;
}

} // namespace

ReportTestDatabase::ReportTestDatabase(const QList<TestWine>& wines,
                                       const QList<QPair<int, int>>& notesPerWine)
    : m_path(m_dir.filePath(u"cellar.qvd"_s))
{
    jet::createDatabase(m_path, kPassword);
    jet::Connection connection;
    connection.open(connectionString());
    connection.execute(u"CREATE TABLE tblWines (WineID LONG PRIMARY KEY, Country TEXT(50), "
                       u"Wine TEXT(255), Price CURRENCY, Notes MEMO)"_s);
    connection.execute(u"CREATE TABLE tblNotes (NoteID COUNTER PRIMARY KEY, WineID LONG, "
                       u"NoteDate DATETIME, NoteText MEMO)"_s);
    connection.beginTrans();
    for (const TestWine& wine : wines) {
        connection.execute(u"INSERT INTO tblWines (WineID, Country, Wine, Price, Notes) "
                           u"VALUES (%1, %2, %3, %4, %5)"_s.arg(wine.id)
                               .arg(quoted(wine.country), quoted(wine.wine))
                               .arg(wine.price, 0, 'f', 2)
                               .arg(wine.notes.isNull() ? u"Null"_s : quoted(wine.notes)));
    }
    for (const auto& [wineId, count] : notesPerWine) {
        for (int n = 1; n <= count; ++n) {
            connection.execute(u"INSERT INTO tblNotes (WineID, NoteDate, NoteText) VALUES "
                               u"(%1, #1/%2/2024#, 'Note %2 of wine %1')"_s.arg(wineId)
                                   .arg(n));
        }
    }
    connection.commitTrans();
    connection.close();
}

QString ReportTestDatabase::connectionString() const
{
    return u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Persist Security Info=False;"
           u"Jet OLEDB:Database Password=%2"_s.arg(m_path, kPassword);
}

QString ReportTestDatabase::dataPath(const QString& name) const
{
    return qEnvironmentVariable("QV_REPORT_TESTDATA") + u"/"_s + name;
}

QList<TestWine> threeCountries()
{
    return {
        {1, u"France"_s, u"Château Margaux 2015"_s, 450.0, {}},
        {2, u"France"_s, u"Chablis Premier Cru 2020"_s, 32.5, {}},
        {3, u"Italy"_s, u"Barolo 2016"_s, 65.0, {}},
        {4, u"Italy"_s, u"Chianti Classico 2019"_s, 18.9, {}},
        {5, u"Italy"_s, u"Amarone 2015"_s, 1234.5, {}},
        {6, u"Spain"_s, u"Rioja Reserva 2017"_s, 24.0, {}},
    };
}

} // namespace report::testing
