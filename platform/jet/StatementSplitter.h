#pragma once

// Splits a script of Jet SQL statements at the ";" that end them. A ";" inside a string
// ("..." or '...'), a bracketed name, a #date# or parentheses (Jet accepts one at the end of a
// sub-query) does not end a statement. Lines whose first non-blank characters are "--" outside
// a statement are comments of the script and are skipped.

#include <QString>
#include <QStringList>

namespace jet {

class StatementSplitter
{
public:
    // Adds text; complete statements become available through takeStatements().
    void add(const QString& text);
    QStringList takeStatements();
    // What is left after the last complete statement (trimmed); empty when nothing is pending.
    QString pending() const { return m_current.trimmed(); }

    static QStringList split(const QString& script);

private:
    QString m_current;
    QStringList m_statements;
    QChar m_quote; // the open quote, bracket or '#', or null
    int m_depth = 0;
    bool m_inComment = false;
};

} // namespace jet
