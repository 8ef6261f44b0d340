// main_chain_bench: the main wine database's whole update chain (version 3 to 11) on a generated
// cellar of 20,000 wines with their transactions and tasting notes, against the same schema and
// data work written directly in SQLite in the same run. Prints both times and their ratio; the
// chain aims at a ratio of at most 2.
//
//   main_chain_bench [WINES]
//
// The raw side is given the answers: before its clock starts it reads the end state the chain
// left (every table's final definition and rows), then it brings a second copy of the version 3
// file to that state the way one would by hand in SQLite - each changed table rebuilt under its
// final definition and filled with its final rows in one transaction, new tables created and
// filled, indexes and triggers made. What it leaves out is the work of finding the answers
// (the drink window conversion, the stage dates, the locations parsed from their text), so the
// ratio shows what the engine costs on top of writing the same result.

#include "common/DatabaseConnection.h"
#include "common/Registry_Management.h"
#include "platform/jet/sql/JetSql.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/ScriptedUser.h"
#include "platform/sqlite/SqliteHandles.h"
#include "sample/Installation.h"
#include "updater/maindb/MainDatabaseUpdates.h"
#include "updater/RunState.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration elapsed)
{
    return std::chrono::duration<double>(elapsed).count();
}

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "main_chain_bench: %s\n", qPrintable(what));
    std::exit(1);
}

sqlite::DatabaseHandle openRaw(const QString& path)
{
    sqlite::DatabaseHandle db;
    if (sqlite::open(QFile::encodeName(path), SQLITE_OPEN_READWRITE, db) != SQLITE_OK)
        fail(u"cannot open %1"_s.arg(path));
    // The tables' collation and checks are the engine's SQL functions.
    jet::registerSqlFunctions(db.get());
    return db;
}

void exec(sqlite3* db, const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message);
        sqlite3_free(message);
        fail(u"%1: %2"_s.arg(sql.left(120), text));
    }
}

QString quoted(const QString& name)
{
    return u"\""_s + QString(name).replace(u'"', u"\"\""_s) + u'"';
}

// One schema object as sqlite_schema lists it.
struct SchemaObject
{
    QString type;
    QString name;
    QString table;
    QString sql;
};

// A value read back as SQLite stores it, to be bound again as it was.
struct Value
{
    int type = SQLITE_NULL;
    qint64 integer = 0;
    double real = 0;
    QByteArray bytes;
};

struct TableState
{
    QString createSql;
    int columns = 0;
    std::vector<std::vector<Value>> rows;
};

// The end state of a database: its schema objects and every table's rows.
struct DatabaseState
{
    std::vector<SchemaObject> objects;
    std::map<QString, TableState> tables;
};

std::vector<SchemaObject> schemaOf(sqlite3* db)
{
    std::vector<SchemaObject> objects;
    sqlite::StatementHandle query;
    sqlite::prepare(db,
                    "SELECT type, name, tbl_name, sql FROM sqlite_schema WHERE sql IS NOT NULL "
                    "AND name NOT LIKE 'sqlite%' ORDER BY rowid",
                    query);
    while (sqlite3_step(query.get()) == SQLITE_ROW) {
        const auto text = [&](int column) {
            return QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(query.get(), column)));
        };
        objects.push_back({text(0), text(1), text(2), text(3)});
    }
    return objects;
}

Value valueAt(sqlite3_stmt* statement, int column)
{
    Value value;
    value.type = sqlite3_column_type(statement, column);
    if (value.type == SQLITE_INTEGER) {
        value.integer = sqlite3_column_int64(statement, column);
    } else if (value.type == SQLITE_FLOAT) {
        value.real = sqlite3_column_double(statement, column);
    } else if (value.type != SQLITE_NULL) {
        value.bytes = QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                                 sqlite3_column_bytes(statement, column));
    }
    return value;
}

DatabaseState stateOf(sqlite3* db)
{
    DatabaseState state;
    state.objects = schemaOf(db);
    for (const SchemaObject& object : state.objects) {
        if (object.type != u"table"_s)
            continue;
        TableState& table = state.tables[object.name];
        table.createSql = object.sql;
        sqlite::StatementHandle rows;
        sqlite::prepare(db, (u"SELECT * FROM "_s + quoted(object.name)).toUtf8(), rows);
        table.columns = sqlite3_column_count(rows.get());
        while (sqlite3_step(rows.get()) == SQLITE_ROW) {
            std::vector<Value> row;
            for (int column = 0; column < table.columns; ++column)
                row.push_back(valueAt(rows.get(), column));
            table.rows.push_back(std::move(row));
        }
    }
    return state;
}

void bindValue(sqlite3_stmt* statement, int index, const Value& value)
{
    switch (value.type) {
    case SQLITE_INTEGER:
        sqlite3_bind_int64(statement, index, value.integer);
        break;
    case SQLITE_FLOAT:
        sqlite3_bind_double(statement, index, value.real);
        break;
    case SQLITE_TEXT:
        sqlite3_bind_text(statement, index, value.bytes.constData(), int(value.bytes.size()),
                          SQLITE_STATIC);
        break;
    case SQLITE_BLOB:
        sqlite3_bind_blob(statement, index, value.bytes.constData(), int(value.bytes.size()),
                          SQLITE_STATIC);
        break;
    default:
        sqlite3_bind_null(statement, index);
    }
}

void fillTable(sqlite3* db, const QString& name, const TableState& table)
{
    QStringList places;
    for (int column = 0; column < table.columns; ++column)
        places << u"?"_s;
    sqlite::StatementHandle insert;
    if (sqlite::prepare(
            db, u"INSERT INTO %1 VALUES (%2)"_s.arg(quoted(name), places.join(u',')).toUtf8(),
            insert) != SQLITE_OK)
        fail(u"cannot prepare the rows of %1: %2"_s.arg(name,
                                                        QString::fromUtf8(sqlite3_errmsg(db))));
    for (const std::vector<Value>& row : table.rows) {
        for (int column = 0; column < table.columns; ++column)
            bindValue(insert.get(), column + 1, row[column]);
        if (sqlite3_step(insert.get()) != SQLITE_DONE)
            fail(
                u"cannot write a row of %1: %2"_s.arg(name, QString::fromUtf8(sqlite3_errmsg(db))));
        sqlite3_reset(insert.get());
    }
}

// Brings the database at `path` (the version 3 copy) to `target` in one transaction: tables
// whose definition or rows differ are rebuilt, new ones created, and the indexes and triggers
// of the end state made anew.
void writeStateRaw(const QString& path, const DatabaseState& before, const DatabaseState& target)
{
    const sqlite::DatabaseHandle db = openRaw(path);
    exec(db.get(), u"PRAGMA foreign_keys = OFF; BEGIN"_s);
    for (const SchemaObject& object : before.objects) {
        if (object.type == u"index"_s || object.type == u"trigger"_s || object.type == u"view"_s)
            exec(db.get(),
                 u"DROP %1 IF EXISTS %2"_s.arg(object.type.toUpper(), quoted(object.name)));
    }
    for (const auto& [name, table] : target.tables) {
        const auto old = before.tables.find(name);
        const bool same = old != before.tables.end() && old->second.createSql == table.createSql &&
                          old->second.rows.size() == table.rows.size();
        if (same)
            continue;
        if (old != before.tables.end())
            exec(db.get(), u"DROP TABLE "_s + quoted(name));
        exec(db.get(), table.createSql);
        fillTable(db.get(), name, table);
    }
    for (const auto& [name, table] : before.tables) {
        if (!target.tables.count(name))
            exec(db.get(), u"DROP TABLE "_s + quoted(name));
    }
    for (const SchemaObject& object : target.objects) {
        if (object.type != u"table"_s)
            exec(db.get(), object.sql);
    }
    exec(db.get(), u"COMMIT"_s);
}

void runChain(const QString& mainPath, const QString& settingsPath)
{
    shell::ScriptedUser user;
    user.setFailureHandler([](const QString& what) { fail(u"unexpected prompt: "_s + what); });
    user.expectModal(u"frmUpdateToVersion3_4"_s, [](QWidget& window) {
        window.findChild<QRadioButton*>(u"optTo(1)"_s)->click();
        window.findChild<QPushButton*>(u"cmdOK"_s)->click();
    });
    user.alwaysAnswer(shell::PromptMatcher::containing(u"Thank you"_s), shell::vbOK);
    user.alwaysAnswer(shell::PromptMatcher::containing(u"flagged for manual"_s), shell::vbOK);

    updater::RunState state;
    state.mainDatabasePath = mainPath;
    const auto open = [](const QString& path) {
        auto connection = std::make_unique<jet::Connection>();
        DatabaseHelpers::OpenDatabase(*connection, path, true);
        return connection;
    };
    state.connections.slot(DatabaseHelpers::DatabaseKind::Main) = open(mainPath);
    state.connections.slot(DatabaseHelpers::DatabaseKind::Settings) = open(settingsPath);
    updater::MainDatabaseUpdate4(state);
    state.connections.closeAll();
    if (state.hasError())
        fail(u"the chain stopped: "_s + state.errorText);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    qputenv("QUORVEX_REGISTRY", folder.filePath(u"registry.db"_s).toLocal8Bit());
    QApplication app(argc, argv);
    const int wines = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;

    sample::InstallationOptions options;
    options.wines = wines;
    const QString installation = folder.filePath(u"Quorvex"_s);
    const sample::InstallationSummary summary = sample::writeInstallation(installation, options);
    Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, u"Application"_s, u"UniqueID"_s,
                                            summary.uniqueId);
    Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, u"LastSelections"_s,
                                            u"QueryID"_s, u"7"_s);
    const QString mainPath = installation + u'/' + sample::mainDatabaseFile;
    const QString rawPath = folder.filePath(u"raw.qvd"_s);
    QFile::copy(mainPath, rawPath);
    const QString settingsPath = installation + u'/' + sample::settingsFile;

    const auto chainStart = Clock::now();
    runChain(mainPath, settingsPath);
    const double chain = seconds(Clock::now() - chainStart);

    DatabaseState before;
    DatabaseState after;
    {
        const sqlite::DatabaseHandle old = openRaw(rawPath);
        before = stateOf(old.get());
        const sqlite::DatabaseHandle updated = openRaw(mainPath);
        after = stateOf(updated.get());
    }
    const auto rawStart = Clock::now();
    writeStateRaw(rawPath, before, after);
    const double raw = seconds(Clock::now() - rawStart);

    std::printf("cellar: %d wines, %d transactions, %d tasting notes\n", summary.wines,
                summary.transactions, summary.tastingNotes);
    std::printf("main chain 3 to 11 (engine)           %8.2f s\n", chain);
    std::printf("same end state written in SQLite      %8.2f s\n", raw);
    std::printf("ratio chain / raw                     %8.2f (target <= 2)\n", chain / raw);
    return 0;
}
