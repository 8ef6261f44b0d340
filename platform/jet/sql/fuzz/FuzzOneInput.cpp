#include "FuzzOneInput.h"

#include "JetSql.h"

#include <memory>
#include <QString>
#include <sqlite3.h>

namespace jet::sql {
namespace {

// One connection for the whole run, with the functions the translated text calls and two
// tables the corpus names, so that prepare gets past name resolution now and then.
sqlite3* connection()
{
    static const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db = [] {
        sqlite3* raw = nullptr;
        sqlite3_open(":memory:", &raw);
        registerSqlFunctions(raw);
        sqlite3_exec(raw,
                     "CREATE TABLE t (a INTEGER, b TEXT COLLATE JET, c REAL);"
                     "CREATE TABLE tblWines (WineID INTEGER, Vintage TEXT COLLATE JET);",
                     nullptr, nullptr, nullptr);
        return std::unique_ptr<sqlite3, int (*)(sqlite3*)>(raw, sqlite3_close);
    }();
    return db.get();
}

} // namespace

void fuzzOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 8192)
        return; // long inputs only slow the search down
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    TranslatedStatement translated;
    try {
        translated = translate(text);
    } catch (const vb::Error&) {
        return;
    }
    if (translated.sqlite.isEmpty())
        return;
    const QByteArray utf8 = translated.sqlite.toUtf8();
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(connection(), utf8.constData(), int(utf8.size()), &statement, nullptr);
    sqlite3_finalize(statement);
}

} // namespace jet::sql
