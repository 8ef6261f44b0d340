#include "SchemaTestDatabase.h"

#include "jet/schema/DdlExecutor.h"
#include "jet/sql/JetSql.h"
#include "jet/SqliteStatement.h"

#include <sqlite3.h>
#include <stdexcept>

namespace jet::test {

SchemaTestDatabase::SchemaTestDatabase()
{
    if (sqlite3_open(":memory:", &m_db) != SQLITE_OK) {
        throw std::runtime_error("cannot open an in-memory database");
    }
    sqlite3_extended_result_codes(m_db, 1);
    registerSqlFunctions(m_db);
    exec(QStringLiteral("PRAGMA foreign_keys=ON"));
}

SchemaTestDatabase::~SchemaTestDatabase()
{
    sqlite3_close_v2(m_db);
}

void SchemaTestDatabase::exec(const QString& sql) const
{
    detail::exec(m_db, sql);
}

void SchemaTestDatabase::ddl(const QString& jetSql) const
{
    DdlExecutor(m_db).run(translate(jetSql).ddl);
}

QString SchemaTestDatabase::failure(const QString& sql) const
{
    try {
        exec(sql);
    } catch (const vb::Error& error) {
        return error.description();
    }
    return {};
}

QString SchemaTestDatabase::ddlFailure(const QString& jetSql) const
{
    try {
        ddl(jetSql);
    } catch (const vb::Error& error) {
        return error.description();
    }
    return {};
}

qint64 SchemaTestDatabase::integer(const QString& sql) const
{
    return detail::queryInt(m_db, sql);
}

QString SchemaTestDatabase::text(const QString& sql) const
{
    return detail::queryText(m_db, sql);
}

} // namespace jet::test
