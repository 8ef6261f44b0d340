#include "DatabaseDigest.h"

#include "vb/Error.h"

#include <memory>
#include <QCryptographicHash>
#include <QStringList>
#include <sqlite3.h>

namespace sample {

namespace {

struct DatabaseCloser
{
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StatementFinalizer
{
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

vb::Error readError(const QString& path, sqlite3* db)
{
    return vb::Error(vb::ErrorNumber::PathFileAccessError,
                     QStringLiteral("Could not read the database '%1': %2")
                         .arg(path, QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory")),
                     QStringLiteral("sample"));
}

StatementPtr prepare(sqlite3* db, const QString& path, const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        throw readError(path, db);
    }
    return StatementPtr(statement);
}

void addValue(QCryptographicHash& hash, sqlite3_stmt* statement, int column)
{
    const int type = sqlite3_column_type(statement, column);
    hash.addData(QByteArrayView(QByteArray::number(type)));
    switch (type) {
    case SQLITE_INTEGER:
        hash.addData(QByteArrayView(QByteArray::number(sqlite3_column_int64(statement, column))));
        break;
    case SQLITE_FLOAT:
        hash.addData(
            QByteArrayView(QByteArray::number(sqlite3_column_double(statement, column), 'g', 17)));
        break;
    case SQLITE_NULL:
        break;
    default: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(statement, column));
        const int size = sqlite3_column_bytes(statement, column);
        hash.addData(QByteArrayView(QByteArray::number(size)));
        hash.addData(QByteArrayView(data, size));
        break;
    }
    }
    hash.addData(QByteArrayView("|"));
}

} // namespace

QByteArray databaseDigest(const QString& path)
{
    sqlite3* raw = nullptr;
    const int opened =
        sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
    if (opened != SQLITE_OK) {
        throw readError(path, raw);
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QStringList tables;
    {
        const StatementPtr schema = prepare(
            raw, path,
            QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master "
                           "WHERE tbl_name NOT LIKE 'MSys%' AND tbl_name NOT LIKE 'sqlite%' "
                           "ORDER BY type, name"));
        while (sqlite3_step(schema.get()) == SQLITE_ROW) {
            for (int column = 0; column < 4; ++column) {
                addValue(hash, schema.get(), column);
            }
            if (QByteArrayView(reinterpret_cast<const char*>(
                    sqlite3_column_text(schema.get(), 0))) == QByteArrayView("table")) {
                tables.append(QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(schema.get(), 1))));
            }
        }
    }
    for (const QString& table : tables) {
        QString quoted = table;
        quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        const StatementPtr rows =
            prepare(raw, path, QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(quoted));
        const int columns = sqlite3_column_count(rows.get());
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(rows.get())) == SQLITE_ROW) {
            for (int column = 0; column < columns; ++column) {
                addValue(hash, rows.get(), column);
            }
            hash.addData(QByteArrayView("\n"));
        }
        if (step != SQLITE_DONE) {
            throw readError(path, raw);
        }
    }
    return hash.result().toHex();
}

} // namespace sample
