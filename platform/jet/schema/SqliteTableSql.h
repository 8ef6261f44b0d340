#pragma once

// The SQLite statements that hold a Jet table: its CREATE TABLE (Jet type words as declared
// types, JET collation for text, named CHECK constraints for text sizes and zero-length
// strings), its indexes ("<table>.<index>") and the triggers that enforce what SQLite has no
// constraint for (Required fields that may hold older Nulls, Null in a primary or DISALLOW NULL
// index, counters that are not the row key, relationships with their cascades).

#include "TableSchema.h"

#include <QString>
#include <QStringList>

namespace jet::detail {

// A key of another table (or of this one) whose related table is the table at hand.
struct ReferencingKey
{
    QString table;
    KeySchema key;
};

QString quoted(const QString& name);
QString quotedList(const QStringList& names);
QString sqlLiteral(const QString& text);

// True when `column` is the table's counter that is its only primary key column: SQLite's
// auto-numbered row key.
bool isRowidCounter(const TableSchema& table, const ColumnSchema& column);
// SQLite's name of a Jet index of a table.
QString sqliteIndexName(const QString& table, const QString& index);

QString columnDefinition(const TableSchema& table, const ColumnSchema& column);
QString createTableSql(const TableSchema& table, const QString& sqliteName);
// Empty when the rowid serves the index.
QString createIndexSql(const TableSchema& table, const IndexSchema& index);
QStringList triggerSql(const TableSchema& table, const QList<ReferencingKey>& referencing);
// Prefix of the names of the triggers triggerSql makes for `table`.
QString triggerPrefix(const QString& table);

// A DEFAULT written in Jet's literal syntax, as SQLite text.
QString defaultValueSql(const QString& jetLiteral);

} // namespace jet::detail
