// RawDatabase: the bench's own thin layer over sqlite3 (statements, binds, schema questions).

#include "RawDatabase.h"

#include "BenchFailure.h"
#include "platform/jet/sql/JetSql.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace mainchain {

namespace {

[[noreturn]] void failOn(sqlite3* db, const QString& what)
{
    fail(u"%1: %2"_s.arg(what.left(160), QString::fromUtf8(sqlite3_errmsg(db))));
}

} // namespace

vb::Variant variantOf(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return vb::Variant::null();
    case SQLITE_INTEGER:
        return vb::Variant::fromInt64(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return vb::Variant(sqlite3_value_double(value));
    default:
        return vb::Variant(QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_value_text(value)), sqlite3_value_bytes(value)));
    }
}

QString quoted(const QString& name)
{
    return u"\""_s + QString(name).replace(u'"', u"\"\""_s) + u'"';
}

RawStatement::RawStatement(sqlite3* db, const QString& sql) : m_db(db)
{
    if (sqlite::prepare(db, sql.toUtf8(), m_statement) != SQLITE_OK)
        failOn(db, sql);
}

RawStatement& RawStatement::bind(int index, qint64 value)
{
    sqlite3_bind_int64(m_statement.get(), index, value);
    return *this;
}

RawStatement& RawStatement::bind(int index, double value)
{
    sqlite3_bind_double(m_statement.get(), index, value);
    return *this;
}

RawStatement& RawStatement::bind(int index, const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(m_statement.get(), index, utf8.constData(), int(utf8.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

RawStatement& RawStatement::bindNull(int index)
{
    sqlite3_bind_null(m_statement.get(), index);
    return *this;
}

RawStatement& RawStatement::bind(int index, const vb::Variant& value)
{
    switch (value.type()) {
    case vb::VarType::Null:
    case vb::VarType::Empty:
        return bindNull(index);
    case vb::VarType::Boolean:
    case vb::VarType::Byte:
    case vb::VarType::Integer:
    case vb::VarType::Long:
        return bind(index, qint64{value.toLong()});
    case vb::VarType::Date:
        return bind(index, value.toDate());
    case vb::VarType::Single:
    case vb::VarType::Double:
    case vb::VarType::Currency:
        return bind(index, value.toDouble());
    default:
        return bind(index, value.toString());
    }
}

bool RawStatement::step()
{
    const int rc = sqlite3_step(m_statement.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        failOn(m_db, QString::fromUtf8(sqlite3_sql(m_statement.get())));
    return false;
}

void RawStatement::run()
{
    while (step()) {
    }
    reset();
}

void RawStatement::reset()
{
    sqlite3_reset(m_statement.get());
    sqlite3_clear_bindings(m_statement.get());
}

bool RawStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement.get(), column) == SQLITE_NULL;
}

qint64 RawStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement.get(), column);
}

double RawStatement::real(int column) const
{
    return sqlite3_column_double(m_statement.get(), column);
}

QString RawStatement::text(int column) const
{
    return QString::fromUtf8(
        reinterpret_cast<const char*>(sqlite3_column_text(m_statement.get(), column)),
        sqlite3_column_bytes(m_statement.get(), column));
}

vb::Variant RawStatement::variant(int column) const
{
    return variantOf(sqlite3_column_value(m_statement.get(), column));
}

RawDatabase::RawDatabase(const QString& path)
{
    if (sqlite::open(QFile::encodeName(path), SQLITE_OPEN_READWRITE, m_db) != SQLITE_OK)
        fail(u"cannot open %1"_s.arg(path));
    // The file's text columns are declared COLLATE JET, so SQLite needs that collation to
    // compare or index them; the statements of this side call none of the engine's functions.
    jet::registerSqlFunctions(m_db.get());
    // The same journal, sync and page cache settings as the engine's connections, so both
    // sides pay the same for their commits.
    exec(u"PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON; "
         u"PRAGMA cache_size=-32768"_s);
}

void RawDatabase::exec(const QString& sql) const
{
    char* message = nullptr;
    if (sqlite3_exec(m_db.get(), sql.toUtf8().constData(), nullptr, nullptr, &message) !=
        SQLITE_OK) {
        const QString text = QString::fromUtf8(message);
        sqlite3_free(message);
        fail(u"%1: %2"_s.arg(sql.left(160), text));
    }
}

vb::Variant RawDatabase::value(const QString& sql) const
{
    RawStatement query = prepare(sql);
    return query.step() ? query.variant(0) : vb::Variant::null();
}

bool RawDatabase::hasTable(const QString& table) const
{
    RawStatement query =
        prepare(u"SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE"_s);
    return query.bind(1, table).step();
}

bool RawDatabase::hasIndex(const QString& index) const
{
    RawStatement query =
        prepare(u"SELECT 1 FROM sqlite_schema WHERE type = 'index' AND name = ?1 COLLATE NOCASE"_s);
    return query.bind(1, index).step();
}

bool RawDatabase::hasColumn(const QString& table, const QString& column) const
{
    RawStatement query =
        prepare(u"SELECT 1 FROM pragma_table_info(?1) WHERE name = ?2 COLLATE NOCASE"_s);
    return query.bind(1, table).bind(2, column).step();
}

void RawDatabase::addColumnIfMissing(const QString& table, const QString& column,
                                     const QString& definition) const
{
    if (!hasColumn(table, column))
        exec(u"ALTER TABLE %1 ADD COLUMN %2 %3"_s.arg(quoted(table), quoted(column), definition));
}

} // namespace mainchain
