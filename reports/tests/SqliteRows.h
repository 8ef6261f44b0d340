#pragma once

// What a report's tests compare the pages with: rows of a query read with plain SQLite, past the
// engine, every value as text. The engine's text collation is stood in for by a comparison
// without regard to case, which is all the tests' queries need of it.

#include <gtest/gtest.h>
#include <QList>
#include <QString>
#include <QStringList>
#include <sqlite3.h>

namespace reports::testing {

inline int caseBlindCompare(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return QString::fromUtf8(static_cast<const char*>(a), lengthA)
        .compare(QString::fromUtf8(static_cast<const char*>(b), lengthB), Qt::CaseInsensitive);
}

inline QList<QStringList> sqliteRows(const QString& file, const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_create_collation(db, "JET", SQLITE_UTF8, nullptr, caseBlindCompare);
    sqlite3_stmt* statement = nullptr;
    QList<QStringList> rows;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                row << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, c)));
            rows << row;
        }
    } else {
        ADD_FAILURE() << sqlite3_errmsg(db) << " in " << sql.toStdString();
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

} // namespace reports::testing
