#pragma once

// A prepared SQLite statement that finalizes itself.

#include <QByteArray>
#include <QString>
#include <sqlite3.h>

namespace reg::detail {

class Statement
{
public:
    Statement(sqlite3* db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // The result code of preparing; SQLITE_OK when the statement can run.
    int prepareResult() const { return m_prepareResult; }

    void bind(int index, qint64 value);
    void bind(int index, const QString& text);
    void bind(int index, const QByteArray& blob);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    void reset();

    qint64 integer(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;

private:
    sqlite3_stmt* m_statement = nullptr;
    int m_prepareResult = SQLITE_OK;
};

} // namespace reg::detail
