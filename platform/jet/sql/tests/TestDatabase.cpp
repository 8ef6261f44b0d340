#include "TestDatabase.h"

#include "vb/OleDate.h"

#include <gtest/gtest.h>
#include <QDate>

namespace jet::test {

TestDatabase::TestDatabase() : m_db(nullptr, sqlite3_close)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(":memory:", &db) != SQLITE_OK)
        throw std::runtime_error("cannot open an in-memory database");
    m_db.reset(db);
    registerSqlFunctions(db);
}

void TestDatabase::exec(const QString& sqlite)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db.get(), sqlite.toUtf8().constData(), nullptr, nullptr, &error);
    const QString message = error ? QString::fromUtf8(error) : QString();
    sqlite3_free(error);
    ASSERT_EQ(rc, SQLITE_OK) << message.toStdString() << "\n" << sqlite.toStdString();
}

QList<Row> TestDatabase::run(const QString& jet, const QVariantList& parameters,
                             const TranslateOptions& options)
{
    const TranslatedStatement t = translate(jet, options);
    return runSqlite(t.sqlite, parameters);
}

QList<Row> TestDatabase::query(const QString& sqlite)
{
    return runSqlite(sqlite, {});
}

QString TestDatabase::value(const QString& sqlite)
{
    const QList<Row> rows = query(sqlite);
    if (rows.size() != 1 || rows.front().size() != 1)
        return QStringLiteral("<%1 rows>").arg(rows.size());
    return rows.front().front();
}

QList<Row> TestDatabase::runSqlite(const QString& sqlite, const QVariantList& parameters)
{
    sqlite3_stmt* raw = nullptr;
    const QByteArray utf8 = sqlite.toUtf8();
    if (sqlite3_prepare_v2(m_db.get(), utf8.constData(), int(utf8.size()), &raw, nullptr) !=
        SQLITE_OK)
        throw std::runtime_error(std::string("prepare: ") + sqlite3_errmsg(m_db.get()) + "\n" +
                                 utf8.toStdString());
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
    for (int i = 0; i < parameters.size(); ++i) {
        const QVariant& p = parameters.at(i);
        if (p.isNull())
            sqlite3_bind_null(raw, i + 1);
        else if (p.typeId() == QMetaType::Int || p.typeId() == QMetaType::LongLong)
            sqlite3_bind_int64(raw, i + 1, p.toLongLong());
        else if (p.typeId() == QMetaType::Double)
            sqlite3_bind_double(raw, i + 1, p.toDouble());
        else
            sqlite3_bind_text(raw, i + 1, p.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
    }
    QList<Row> rows;
    while (true) {
        const int rc = sqlite3_step(raw);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            throw std::runtime_error(std::string("step: ") + sqlite3_errmsg(m_db.get()));
        Row row;
        for (int c = 0; c < sqlite3_column_count(raw); ++c) {
            switch (sqlite3_column_type(raw, c)) {
            case SQLITE_NULL:
                row.append(QStringLiteral("NULL"));
                break;
            case SQLITE_INTEGER:
                row.append(QString::number(sqlite3_column_int64(raw, c)));
                break;
            case SQLITE_FLOAT:
                row.append(QString::number(sqlite3_column_double(raw, c), 'g', 15));
                break;
            default:
                row.append(
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, c))));
            }
        }
        rows.append(row);
    }
    m_changes = sqlite3_changes(m_db.get());
    return rows;
}

double oleDays(int year, int month, int day)
{
    return vb::OleDate::fromDate(QDate(year, month, day));
}

QString days(int year, int month, int day)
{
    return QString::number(oleDays(year, month, day), 'g', 15);
}

} // namespace jet::test
