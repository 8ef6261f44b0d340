#include "TableWriter.h"

#include "jet/Connection.h"
#include "vb/Error.h"
#include "vb/OleDate.h"

#include <sqlite3.h>

namespace sample {

namespace {

QString quotedName(const QString& name)
{
    QString inner = name;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

vb::Error writeError(const QString& table, const QString& reason)
{
    return vb::Error(vb::ErrorNumber::PathFileAccessError,
                     QStringLiteral("Could not write to table '%1': %2").arg(table, reason),
                     QStringLiteral("sample"));
}

} // namespace

Cell date(QDate day)
{
    return vb::OleDate::fromDate(day);
}

Cell dateTime(QDate day, QTime time)
{
    return vb::OleDate::fromDateTime(day, time);
}

Cell timeOfDay(QTime time)
{
    return vb::OleDate::fromTime(time);
}

TableWriter::TableWriter(jet::Connection& connection, const QString& table,
                         const QStringList& columns)
    : m_db(connection.handle()), m_table(table), m_columnCount(static_cast<int>(columns.size()))
{
    if (m_db == nullptr) {
        throw writeError(table, QStringLiteral("the connection is not open"));
    }
    QStringList names;
    QStringList places;
    for (const QString& column : columns) {
        names.append(quotedName(column));
        places.append(QStringLiteral("?"));
    }
    const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(quotedName(table), names.join(QStringLiteral(", ")),
                                    places.join(QStringLiteral(", ")))
                               .toUtf8();
    if (sqlite::prepare(m_db, sql, m_statement) != SQLITE_OK) {
        throw writeError(table, QString::fromUtf8(sqlite3_errmsg(m_db)));
    }
}

TableWriter::~TableWriter() = default;

void TableWriter::add(const QList<Cell>& row)
{
    if (row.size() != m_columnCount) {
        throw writeError(
            m_table,
            QStringLiteral("%1 values given for %2 columns").arg(row.size()).arg(m_columnCount));
    }
    sqlite3_stmt* statement = m_statement.get();
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    for (int i = 0; i < m_columnCount; ++i) {
        const Cell& cell = row.at(i);
        const int place = i + 1;
        if (const auto* whole = std::get_if<qint64>(&cell)) {
            sqlite3_bind_int64(statement, place, *whole);
        } else if (const auto* real = std::get_if<double>(&cell)) {
            sqlite3_bind_double(statement, place, *real);
        } else if (const auto* words = std::get_if<QString>(&cell)) {
            const QByteArray utf8 = words->toUtf8();
            sqlite3_bind_text(statement, place, utf8.constData(), static_cast<int>(utf8.size()),
                              SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_null(statement, place);
        }
    }
    if (sqlite3_step(statement) != SQLITE_DONE) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_reset(statement);
        throw writeError(m_table, reason);
    }
    ++m_rows;
}

qint64 TableWriter::lastKey() const
{
    return sqlite3_last_insert_rowid(m_db);
}

} // namespace sample
