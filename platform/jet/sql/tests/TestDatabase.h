#pragma once

// An in-memory SQLite database with the Jet functions registered, for running translated
// statements and reading back what they did.

#include "JetSql.h"

#include <memory>
#include <ostream>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <sqlite3.h>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace jet::test {

// One result row, each value rendered: NULL, whole numbers, reals (up to 15 digits), text.
using Row = QStringList;

class TestDatabase
{
public:
    TestDatabase();

    // Runs plain SQLite SQL (setting up tables and rows); fails the test on error.
    void exec(const QString& sqlite);
    // Translates and runs one Jet statement, binding `parameters` in order; returns the rows
    // (for action statements none) and records the number of changed rows.
    QList<Row> run(const QString& jet, const QVariantList& parameters = {},
                   const TranslateOptions& options = {});
    // Runs plain SQLite SQL and returns its rows.
    QList<Row> query(const QString& sqlite);
    // The single value of a one-row, one-column plain SQLite query.
    QString value(const QString& sqlite);
    int changes() const { return m_changes; }
    sqlite3* handle() const { return m_db.get(); }

private:
    QList<Row> runSqlite(const QString& sqlite, const QVariantList& parameters);

    std::unique_ptr<sqlite3, int (*)(sqlite3*)> m_db;
    int m_changes = 0;
};

// OLE automation days of a date, for expected values.
double oleDays(int year, int month, int day);
QString days(int year, int month, int day);

} // namespace jet::test
