#pragma once

// Adds rows to one table of a database through a prepared SQLite INSERT, in the storage form
// the engine keeps (see jet/sql/SqliteValue.h): Yes/No as -1/0, dates as OLE automation days,
// currency as a real number. Constraints (NOT NULL, text sizes, unique indexes) are checked by
// the database as for any other write. Thousands of rows a second, which the sample needs for
// its benchmark-sized cellars; run it inside one transaction of the connection.

#include "platform/sqlite/SqliteHandles.h"

#include <memory>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <variant>

namespace jet {
class Connection;
}

namespace sample {

using Cell = std::variant<std::monostate, qint64, double, QString>;

inline Cell nullCell()
{
    return {};
}
inline Cell yesNo(bool value)
{
    return qint64{value ? -1 : 0};
}
inline Cell number(qint64 value)
{
    return value;
}
inline Cell text(const QString& value)
{
    return value;
}
inline Cell money(double value)
{
    return value;
}
inline Cell real(double value)
{
    return value;
}
Cell date(QDate day);
Cell dateTime(QDate day, QTime time);
// A time of day alone, as Jet keeps it: a fraction of the day 30 December 1899.
Cell timeOfDay(QTime time);

class TableWriter
{
public:
    TableWriter(jet::Connection& connection, const QString& table, const QStringList& columns);
    ~TableWriter();
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    // Raises vb::Error naming the table when the database refuses the row.
    void add(const QList<Cell>& row);
    // The key the database gave the last row (its rowid: a sole counter key's value).
    qint64 lastKey() const;
    qint64 rowsAdded() const noexcept { return m_rows; }

private:
    sqlite3* m_db = nullptr;
    sqlite::StatementHandle m_statement;
    QString m_table;
    int m_columnCount = 0;
    qint64 m_rows = 0;
};

} // namespace sample
