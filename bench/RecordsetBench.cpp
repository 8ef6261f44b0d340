// recordset_bench: row-by-row work through jet::Recordset (AddNew/Update, Seek, Filter, a walk
// with Update) against the same work written with SQLite prepared statements, on two
// databases made alike by the engine, in the same run. Prints both times per workload and
// their ratio; the recordsets aim at a ratio of at most 2.
//
// The raw side does each workload the way one would by hand: one transaction around a loop
// of prepared statements, reading every column of a row in its type.
//
//   recordset_bench [ROWS] [REPEATS] [ONLY: the name of one workload after AddNew/Update]

#include "jet/Connection.h"
#include "jet/DatabaseFile.h"
#include "jet/DatabasePassword.h"
#include "jet/recordset/Recordset.h"
#include "jet/sql/JetSql.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <sqlite3.h>

namespace {

using Clock = std::chrono::steady_clock;

void check(int rc, sqlite3* db, const char* what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "recordset_bench: %s: %s\n", what, sqlite3_errmsg(db));
        std::exit(1);
    }
}

QString connectionString(const QString& path)
{
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path +
           ";Jet OLEDB:Database Password=" + jet::DatabasePassword::systemPassword();
}

void createSchema(const QString& path)
{
    jet::createDatabase(path, jet::DatabasePassword::systemPassword());
    jet::Connection connection;
    connection.open(connectionString(path));
    connection.execute("CREATE TABLE tblBench (ID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
                       "Code LONG NOT NULL, Name TEXT(50), Price CURRENCY, Bought DATETIME, "
                       "Drunk BIT)");
    connection.execute("CREATE UNIQUE INDEX Code ON tblBench (Code)");
}

// The values of row i (codes are a permutation of 1..rows, so seeks jump about).
struct RowValues
{
    int code;
    QString name;
    double price;
    double bought;
    bool drunk;
};

RowValues rowValues(int i, int rows)
{
    const int code = static_cast<int>((static_cast<qint64>(i) * 7919) % rows) + 1;
    return {code, QStringLiteral("Wine %1").arg(code), (i % 500) / 4.0, 30000.0 + i % 9000,
            i % 3 == 0};
}

double elapsedMs(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A checksum over values read, so that no side can skip its reads.
double sink = 0;

void readRaw(sqlite3_stmt* statement, int first)
{
    sink += sqlite3_column_int64(statement, first);
    sink += sqlite3_column_int64(statement, first + 1);
    sink += sqlite3_column_bytes(statement, first + 2);
    sqlite3_column_text(statement, first + 2);
    sink += sqlite3_column_double(statement, first + 3);
    sink += sqlite3_column_double(statement, first + 4);
    sink += sqlite3_column_int64(statement, first + 5);
}

void readJet(const jet::Recordset& rows)
{
    for (int i = 0; i < rows.fieldCount(); ++i) {
        const vb::Variant value = rows.value(i);
        sink += value.isNull() ? 0 : value.isString() ? value.toString().size() : value.toDouble();
    }
}

struct Sides
{
    jet::Connection& connection;
    sqlite3* raw;
    int rows;
};

double jetAddNew(const Sides& sides)
{
    const auto start = Clock::now();
    jet::Recordset bench;
    bench.open("tblBench", sides.connection, jet::CursorType::Keyset, jet::LockType::Optimistic,
               jet::CommandType::TableDirect);
    for (int i = 0; i < sides.rows; ++i) {
        const RowValues row = rowValues(i, sides.rows);
        bench.addNew();
        bench.setValue(1, row.code);
        bench.setValue(2, row.name);
        bench.setValue(3, row.price);
        bench.setValue(4, vb::Variant::fromDate(row.bought));
        bench.setValue(5, row.drunk);
        bench.update();
    }
    bench.close();
    return elapsedMs(start);
}

double rawAddNew(const Sides& sides)
{
    sqlite3* db = sides.raw;
    const auto start = Clock::now();
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO tblBench (Code, Name, Price, Bought, Drunk) VALUES "
                             "(?, ?, ?, ?, ?)",
                             -1, &insert, nullptr),
          db, "prepare insert");
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
    for (int i = 0; i < sides.rows; ++i) {
        const RowValues row = rowValues(i, sides.rows);
        const QByteArray name = row.name.toUtf8();
        sqlite3_bind_int(insert, 1, row.code);
        sqlite3_bind_text(insert, 2, name.constData(), static_cast<int>(name.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 3, row.price);
        sqlite3_bind_double(insert, 4, row.bought);
        sqlite3_bind_int(insert, 5, row.drunk ? -1 : 0);
        check(sqlite3_step(insert), db, "insert");
        sqlite3_reset(insert);
        sink += static_cast<double>(sqlite3_last_insert_rowid(db));
    }
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_finalize(insert);
    return elapsedMs(start);
}

double jetSeek(const Sides& sides)
{
    const auto start = Clock::now();
    jet::Recordset bench;
    bench.open("tblBench", sides.connection, jet::CursorType::Keyset, jet::LockType::ReadOnly,
               jet::CommandType::TableDirect);
    bench.setIndex("Code");
    for (int i = 0; i < sides.rows; ++i) {
        bench.seek({rowValues(i, sides.rows).code});
        readJet(bench);
    }
    bench.close();
    return elapsedMs(start);
}

double rawSeek(const Sides& sides)
{
    sqlite3* db = sides.raw;
    const auto start = Clock::now();
    sqlite3_stmt* select = nullptr;
    check(sqlite3_prepare_v2(db, "SELECT * FROM tblBench WHERE Code = ?", -1, &select, nullptr), db,
          "prepare seek");
    for (int i = 0; i < sides.rows; ++i) {
        sqlite3_bind_int(select, 1, rowValues(i, sides.rows).code);
        check(sqlite3_step(select), db, "seek");
        readRaw(select, 0);
        sqlite3_reset(select);
    }
    sqlite3_finalize(select);
    return elapsedMs(start);
}

// Ten filters in a row (one is over too soon to time reliably).
constexpr int filterRounds = 10;

double jetFilter(const Sides& sides)
{
    jet::Recordset bench;
    bench.open("tblBench", sides.connection, jet::CursorType::Keyset, jet::LockType::ReadOnly,
               jet::CommandType::TableDirect);
    const auto start = Clock::now(); // the raw side has nothing like the open: leave it out
    for (int round = 0; round < filterRounds; ++round) {
        bench.setFilter(QStringLiteral("[Price] > %1 AND [Drunk] = True").arg(round * 10));
        sink += static_cast<double>(bench.recordCount());
    }
    const double ms = elapsedMs(start);
    bench.close();
    return ms;
}

double rawFilter(const Sides& sides)
{
    sqlite3* db = sides.raw;
    const auto start = Clock::now();
    sqlite3_stmt* select = nullptr;
    check(sqlite3_prepare_v2(db, "SELECT rowid FROM tblBench WHERE Price > ? AND Drunk = -1", -1,
                             &select, nullptr),
          db, "prepare filter");
    for (int round = 0; round < filterRounds; ++round) {
        sqlite3_bind_int(select, 1, round * 10);
        std::vector<qint64> ids;
        int rc = 0;
        while ((rc = sqlite3_step(select)) == SQLITE_ROW) {
            ids.push_back(sqlite3_column_int64(select, 0));
        }
        check(rc, db, "filter");
        sqlite3_reset(select);
        sink += static_cast<double>(ids.size());
    }
    sqlite3_finalize(select);
    return elapsedMs(start);
}

double jetWalk(const Sides& sides)
{
    const auto start = Clock::now();
    jet::Recordset bench;
    bench.open("tblBench", sides.connection, jet::CursorType::Keyset, jet::LockType::Optimistic,
               jet::CommandType::TableDirect);
    for (; !bench.eof(); bench.moveNext()) {
        readJet(bench);
        bench.setValue(3, bench.value(3).toDouble() + 1);
        bench.update();
    }
    bench.close();
    return elapsedMs(start);
}

double rawWalk(const Sides& sides)
{
    sqlite3* db = sides.raw;
    const auto start = Clock::now();
    sqlite3_stmt* select = nullptr;
    sqlite3_stmt* update = nullptr;
    check(sqlite3_prepare_v2(db, "SELECT rowid, * FROM tblBench", -1, &select, nullptr), db,
          "prepare walk");
    check(sqlite3_prepare_v2(db, "UPDATE tblBench SET Price = ? WHERE rowid = ?", -1, &update,
                             nullptr),
          db, "prepare update");
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
    int rc = 0;
    while ((rc = sqlite3_step(select)) == SQLITE_ROW) {
        readRaw(select, 1);
        sqlite3_bind_double(update, 1, sqlite3_column_double(select, 4) + 1);
        sqlite3_bind_int64(update, 2, sqlite3_column_int64(select, 0));
        check(sqlite3_step(update), db, "update");
        sqlite3_reset(update);
    }
    check(rc, db, "walk");
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_finalize(select);
    sqlite3_finalize(update);
    return elapsedMs(start);
}

struct Workload
{
    const char* name;
    std::function<double(const Sides&)> jet;
    std::function<double(const Sides&)> raw;
    bool repeatable;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 100000;
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    QTextStream out(stdout);

    QTemporaryDir dir;
    const QString jetPath = dir.filePath("jet.qvd");
    const QString rawPath = dir.filePath("raw.qvd");
    try {
        createSchema(jetPath);
        createSchema(rawPath);
    } catch (const vb::Error& error) {
        std::fprintf(stderr, "recordset_bench: %s\n", error.what());
        return 1;
    }
    jet::Connection connection;
    connection.open(connectionString(jetPath));
    sqlite3* raw = nullptr;
    check(sqlite3_open(rawPath.toUtf8().constData(), &raw), raw, "open");
    jet::registerSqlFunctions(raw); // the tables' collation and rules use them
    check(sqlite3_exec(raw, "PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON", nullptr, nullptr,
                       nullptr),
          raw, "pragmas");
    const Sides sides{connection, raw, rows};
    const QString only = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString(); // for profiling

    // AddNew runs once (it fills the tables the others work on).
    const std::vector<Workload> workloads = {
        {"AddNew/Update", jetAddNew, rawAddNew, false},
        {"Seek", jetSeek, rawSeek, true},
        {"Filter x10", jetFilter, rawFilter, true},
        {"Walk with Update", jetWalk, rawWalk, true},
    };
    out << "recordset_bench: " << rows << " rows, best of " << repeats << " runs\n";
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg("workload", -20)
               .arg("jet ms", 10)
               .arg("raw ms", 10)
               .arg("ratio", 7);
    try {
        for (const Workload& workload : workloads) {
            if (!only.isEmpty() && workload.repeatable &&
                !QString::fromLatin1(workload.name).startsWith(only)) {
                continue;
            }
            double jetBest = 1e300;
            double rawBest = 1e300;
            for (int i = 0; i < (workload.repeatable ? repeats : 1); ++i) {
                jetBest = std::min(jetBest, workload.jet(sides));
                rawBest = std::min(rawBest, workload.raw(sides));
            }
            out << QStringLiteral("%1 %2 %3 %4\n")
                       .arg(workload.name, -20)
                       .arg(jetBest, 10, 'f', 1)
                       .arg(rawBest, 10, 'f', 1)
                       .arg(jetBest / rawBest, 7, 'f', 2);
            out.flush();
        }
    } catch (const vb::Error& error) {
        out.flush();
        std::fprintf(stderr, "recordset_bench: %s\n", error.what());
        return 1;
    }
    sqlite3_close(raw);
    return sink < 0 ? 1 : 0;
}
