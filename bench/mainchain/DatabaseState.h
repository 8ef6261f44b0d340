#pragma once

// The state of a database file as SQLite holds it: its schema objects in order and every
// table's columns and rows, read back value by value with their storage classes.

#include <map>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct sqlite3;

namespace mainchain {

// One schema object as sqlite_schema lists it.
struct SchemaObject
{
    QString type;
    QString name;
    QString table;
    QString sql;
};

// A value as SQLite stores it (SQLITE_NULL, SQLITE_INTEGER, ...), to be bound again as it was.
struct StoredValue
{
    int type = 0;
    qint64 integer = 0;
    double real = 0;
    QByteArray bytes;
};

struct TableState
{
    QString createSql;
    QStringList columns;
    // The column that is the table's rowid (INTEGER PRIMARY KEY), or -1.
    int keyColumn = -1;
    std::vector<std::vector<StoredValue>> rows;
};

struct DatabaseState
{
    std::vector<SchemaObject> objects;
    std::map<QString, TableState> tables;
};

DatabaseState stateOf(sqlite3* db);

} // namespace mainchain
