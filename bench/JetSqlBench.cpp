// jet_sql_bench: Jet SQL through jet::Connection (translation, VBA functions in SQL, the JET
// collation, Variant results) against the same work written directly on SQLite's C API with
// equivalent SQL and C functions, on two copies of one 100,000-row database in the same run.
// Prints both times per workload and their ratio; the engine aims at a ratio of at most 1.5.
//
//   jet_sql_bench [ROWS] [REPEATS]

#include "jet/Connection.h"
#include "jet/DatabaseFile.h"
#include "jet/DatabasePassword.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <sqlite3.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Workload
{
    const char* name;
    QString jetSql;
    QString rawSql;
    bool returnsRows;
};

// Days from 1 Jan 1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long daysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The baseline's DateSerial: months and days outside their range roll over, as in VB.
void rawDateSerial(sqlite3_context* context, int, sqlite3_value** args)
{
    for (int i = 0; i < 3; ++i) {
        if (sqlite3_value_type(args[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    }
    long long year = sqlite3_value_int64(args[0]);
    const long long month = sqlite3_value_int64(args[1]) - 1;
    const long long day = sqlite3_value_int64(args[2]);
    year += month >= 0 ? month / 12 : -((11 - month) / 12);
    const long long monthInYear = ((month % 12) + 12) % 12 + 1;
    const long long epoch = daysFromCivil(1899, 12, 30);
    sqlite3_result_double(
        context, static_cast<double>(daysFromCivil(year, monthInYear, 1) + day - 1 - epoch));
}

void check(int rc, sqlite3* db, const char* what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "jet_sql_bench: %s: %s\n", what, sqlite3_errmsg(db));
        std::exit(1);
    }
}

void fill(sqlite3* db, int rows)
{
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
    sqlite3_stmt* region = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO tblRegions VALUES (?, ?)", -1, &region, nullptr), db,
          "prepare");
    const char* names[] = {"Bordeaux", "Burgundy", "Barossa", "Rioja",    "Tuscany",
                           "Napa",     "Mosel",    "Douro",   "Piedmont", "Alsace"};
    for (int i = 0; i < 10; ++i) {
        sqlite3_bind_int(region, 1, i + 1);
        sqlite3_bind_text(region, 2, names[i], -1, SQLITE_STATIC);
        check(sqlite3_step(region), db, "insert region");
        sqlite3_reset(region);
    }
    sqlite3_finalize(region);
    sqlite3_stmt* wine = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO tblWines VALUES (?, ?, ?, ?, ?, ?, ?)", -1, &wine,
                             nullptr),
          db, "prepare");
    for (int i = 1; i <= rows; ++i) {
        const QByteArray name = QByteArray("Wine ") + QByteArray::number(i * 7919 % rows);
        sqlite3_bind_int(wine, 1, i);
        sqlite3_bind_text(wine, 2, name.constData(), static_cast<int>(name.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_int(wine, 3, 1960 + i % 60);
        sqlite3_bind_double(wine, 4, (i % 500) / 4.0);
        sqlite3_bind_double(wine, 5, 30000 + i % 9000);
        sqlite3_bind_int(wine, 6, i % 3 == 0 ? -1 : 0);
        sqlite3_bind_int(wine, 7, i % 10 + 1);
        check(sqlite3_step(wine), db, "insert wine");
        sqlite3_reset(wine);
    }
    sqlite3_finalize(wine);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
}

// The same tables as the engine declares them, so both sides store the same values.
const char* const schema =
    "CREATE TABLE tblRegions (RegionID LONG PRIMARY KEY, Region TEXT(50) COLLATE %1);"
    "CREATE TABLE tblWines (WineID LONG PRIMARY KEY, Name TEXT(50) COLLATE %1, Vintage SHORT, "
    "Price CURRENCY, Bought DATETIME, Drunk BIT, RegionID LONG);"
    "CREATE INDEX idxRegion ON tblWines (RegionID);";

// Both sides read every value in its own type, as a program working with the rows does; turning
// values into display text is left out, since that is the same work whatever read them.
double measure(const vb::Variant& value)
{
    switch (value.type()) {
    case vb::VarType::Null:
        return 0;
    case vb::VarType::String:
        return static_cast<double>(value.toString().size());
    default:
        return value.toDouble();
    }
}

double measure(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_TEXT:
        return static_cast<double>(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                              sqlite3_column_bytes(statement, column))
                .size());
    case SQLITE_INTEGER:
        return static_cast<double>(sqlite3_column_int64(statement, column));
    default:
        return sqlite3_column_double(statement, column);
    }
}

double runJet(jet::Connection& connection, const Workload& workload)
{
    const auto start = Clock::now();
    qint64 affected = 0;
    jet::ResultSet rows = connection.execute(workload.jetSql, &affected);
    double sink = 0;
    for (; rows.isOpen() && !rows.eof(); rows.moveNext()) {
        for (int i = 0; i < rows.fieldCount(); ++i) {
            sink += measure(rows.value(i));
        }
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return sink < 0 ? -ms : ms;
}

double runRaw(sqlite3* db, const Workload& workload)
{
    const auto start = Clock::now();
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = workload.rawSql.toUtf8();
    check(sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr), db, workload.name);
    double sink = 0;
    int rc = 0;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            sink += measure(statement, i);
        }
    }
    check(rc, db, workload.name);
    sqlite3_finalize(statement);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return sink < 0 ? -ms : ms;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 100000;
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    QTextStream out(stdout);

    QTemporaryDir dir;
    const QString jetPath = dir.filePath("jet.qvd");
    const QString rawPath = dir.filePath("raw.db");

    jet::createDatabase(jetPath, jet::DatabasePassword::systemPassword());
    jet::Connection connection;
    connection.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + jetPath +
                    ";Jet OLEDB:Database Password=" + jet::DatabasePassword::systemPassword());
    check(sqlite3_exec(connection.handle(), QString(schema).arg("JET").toUtf8().constData(),
                       nullptr, nullptr, nullptr),
          connection.handle(), "schema");
    fill(connection.handle(), rows);

    sqlite3* raw = nullptr;
    check(sqlite3_open(rawPath.toUtf8().constData(), &raw), raw, "open");
    check(sqlite3_exec(raw, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", nullptr, nullptr,
                       nullptr),
          raw, "pragmas");
    sqlite3_create_function(raw, "DateSerial", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            rawDateSerial, nullptr, nullptr);
    check(sqlite3_exec(raw, QString(schema).arg("NOCASE").toUtf8().constData(), nullptr, nullptr,
                       nullptr),
          raw, "schema");
    fill(raw, rows);

    const std::vector<Workload> workloads = {
        {"UPDATE all rows", "UPDATE tblWines SET Price = Price + 1",
         "UPDATE tblWines SET Price = Price + 1", false},
        {"UPDATE DateSerial/IIf",
         "UPDATE tblWines SET Bought = DateSerial([Vintage] + 5, 1, 1), Drunk = IIf([Vintage] < "
         "1990, True, False)",
         "UPDATE tblWines SET Bought = DateSerial(Vintage + 5, 1, 1), Drunk = CASE WHEN Vintage < "
         "1990 THEN -1 ELSE 0 END",
         false},
        {"SELECT join + Like",
         "SELECT w.Name, r.Region, w.Price FROM tblWines AS w INNER JOIN tblRegions AS r ON "
         "w.RegionID = r.RegionID WHERE r.Region Like 'B*' ORDER BY w.Name",
         "SELECT w.Name, r.Region, w.Price FROM tblWines AS w INNER JOIN tblRegions AS r ON "
         "w.RegionID = r.RegionID WHERE r.Region LIKE 'B%' ORDER BY w.Name",
         true},
        {"SELECT IIf/DateSerial",
         "SELECT WineID, IIf(Price > 50, 'dear', 'cheap') AS Band, DateSerial(Vintage, 12, 31) AS "
         "YearEnd FROM tblWines WHERE Vintage BETWEEN 1970 AND 1990",
         "SELECT WineID, CASE WHEN Price > 50 THEN 'dear' ELSE 'cheap' END AS Band, "
         "DateSerial(Vintage, 12, 31) AS YearEnd FROM tblWines WHERE Vintage BETWEEN 1970 AND "
         "1990",
         true},
        {"SELECT GROUP BY",
         "SELECT RegionID, Count(*) AS N, Sum(Price) AS Total FROM tblWines "
         "GROUP BY RegionID",
         "SELECT RegionID, Count(*) AS N, Sum(Price) AS Total FROM tblWines GROUP BY RegionID",
         true},
    };

    out << "jet_sql_bench: " << rows << " rows, best of " << repeats << " runs\n";
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg("workload", -24)
               .arg("jet ms", 10)
               .arg("raw ms", 10)
               .arg("ratio", 7);
    double jetTotal = 0;
    double rawTotal = 0;
    try {
        for (const Workload& workload : workloads) {
            double jetBest = 1e300;
            double rawBest = 1e300;
            for (int i = 0; i < repeats; ++i) {
                jetBest = std::min(jetBest, std::abs(runJet(connection, workload)));
                rawBest = std::min(rawBest, std::abs(runRaw(raw, workload)));
            }
            jetTotal += jetBest;
            rawTotal += rawBest;
            out << QStringLiteral("%1 %2 %3 %4\n")
                       .arg(workload.name, -24)
                       .arg(jetBest, 10, 'f', 1)
                       .arg(rawBest, 10, 'f', 1)
                       .arg(jetBest / rawBest, 7, 'f', 2);
        }
    } catch (const vb::Error& error) {
        out.flush();
        std::fprintf(stderr, "jet_sql_bench: %s\n", error.what());
        return 1;
    }
    // Row-by-row statements, as update loops write them: one statement text per row, each in
    // its own implicit transaction. Both sides prepare every text anew.
    const int loopRows = std::min(rows, 5000);
    try {
        const auto jetStart = Clock::now();
        for (int i = 0; i < loopRows; ++i) {
            connection.execute(QStringLiteral("INSERT INTO tblRegions (RegionID, Region) VALUES "
                                              "(%1, \"Region %1\")")
                                   .arg(1000 + i));
        }
        const double jetMs =
            std::chrono::duration<double, std::milli>(Clock::now() - jetStart).count();
        const auto rawStart = Clock::now();
        for (int i = 0; i < loopRows; ++i) {
            const QByteArray sql = QStringLiteral("INSERT INTO tblRegions (RegionID, Region) "
                                                  "VALUES (%1, 'Region %1')")
                                       .arg(1000 + i)
                                       .toUtf8();
            check(sqlite3_exec(raw, sql.constData(), nullptr, nullptr, nullptr), raw, "insert");
        }
        const double rawMs =
            std::chrono::duration<double, std::milli>(Clock::now() - rawStart).count();
        jetTotal += jetMs;
        rawTotal += rawMs;
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(QStringLiteral("INSERT x%1 row by row").arg(loopRows), -24)
                   .arg(jetMs, 10, 'f', 1)
                   .arg(rawMs, 10, 'f', 1)
                   .arg(jetMs / rawMs, 7, 'f', 2);
    } catch (const vb::Error& error) {
        out.flush();
        std::fprintf(stderr, "jet_sql_bench: %s\n", error.what());
        return 1;
    }
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg("total", -24)
               .arg(jetTotal, 10, 'f', 1)
               .arg(rawTotal, 10, 'f', 1)
               .arg(jetTotal / rawTotal, 7, 'f', 2);
    sqlite3_close(raw);
    return 0;
}
