#include "Statement.h"

namespace reg::detail {

Statement::Statement(sqlite3* db, const char* sql)
{
    m_prepareResult = sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr);
}

Statement::~Statement()
{
    sqlite3_finalize(m_statement);
}

void Statement::bind(int index, qint64 value)
{
    sqlite3_bind_int64(m_statement, index, value);
}

void Statement::bind(int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void Statement::bind(int index, const QByteArray& blob)
{
    // A zero-length blob must stay a blob, not NULL, so that empty values survive.
    sqlite3_bind_blob(m_statement, index, blob.isEmpty() ? "" : blob.constData(), int(blob.size()),
                      SQLITE_TRANSIENT);
}

int Statement::step()
{
    if (m_prepareResult != SQLITE_OK)
        return m_prepareResult;
    return sqlite3_step(m_statement);
}

void Statement::reset()
{
    sqlite3_reset(m_statement);
}

qint64 Statement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString Statement::text(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(m_statement, column));
}

QByteArray Statement::blob(int column) const
{
    const void* data = sqlite3_column_blob(m_statement, column);
    const int size = sqlite3_column_bytes(m_statement, column);
    return size > 0 ? QByteArray(static_cast<const char*>(data), size) : QByteArray("");
}

} // namespace reg::detail
