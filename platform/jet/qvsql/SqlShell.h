#pragma once

// What qvsql does: runs Jet SQL on a database file and prints what comes back as tab-separated
// text, a header line with the field names, then one line per row. Null prints as an empty
// field; tabs and line breaks inside a value print as \t, \r and \n so a row stays one line.
// Errors go to the error stream.

#include "jet/Connection.h"
#include "jet/sql/DdlStatement.h"

#include <QTextStream>

class SqlShell
{
public:
    SqlShell(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {}

    bool open(const QString& path, const QString& password);
    // Runs one statement and prints its rows or its affected-row count.
    bool run(const QString& jetSql);
    // Runs the statements of a script in order, stopping at the first that fails.
    bool runScript(const QString& script);
    // Reads statements ended by ";" from `in`, prompting on the error stream, until the end of
    // input; a failing statement is reported and the session goes on.
    void runInteractive(QTextStream& in);
    // The tables of the database with their columns and Jet types.
    bool printSchema();
    // The SQLite text a statement becomes (with the open database's names, if one is open).
    bool printTranslation(const QString& jetSql);

    static bool create(const QString& path, const QString& password, QTextStream& err);

private:
    void report(const vb::Error& error);
    void printRows(jet::ResultSet& rows);
    QString schemaPlan(const jet::DdlStatement& statement);

    QTextStream& m_out;
    QTextStream& m_err;
    jet::Connection m_connection;
    bool m_printedRows = false;
};
