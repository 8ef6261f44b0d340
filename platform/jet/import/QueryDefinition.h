#pragma once

// A stored query as a Jet file keeps it: not as text but as rows of MSysQueries (its type, the
// parameters, the tables with their aliases, the joins between two of them at a time, the
// output columns, the criteria, the groups and the sort), from which Access writes the SQL the
// user sees. queryText() writes the same Jet SQL from those rows, joins nested as Access nests
// them, so the query keeps the user's own definition.

#include <QList>
#include <QString>

namespace jet::importer {

// One row of MSysQueries: Attribute says what the row holds; the meaning of the names, the
// expression and the flag depends on it.
struct QueryRow
{
    int attribute = 0;
    QString name1;
    QString name2;
    QString expression;
    int flag = 0;
    qint64 extra = 0; // LvExtra (Jet 4): the size of a Text parameter
};

enum class QueryType
{
    Select = 1,
    MakeTable = 2,
    Append = 3,
    Update = 4,
    Delete = 5,
    Crosstab = 6,
    DataDefinition = 7,
    PassThrough = 8,
    Union = 9,
};

struct QueryText
{
    QueryType type = QueryType::Select;
    QString jetSql;  // empty when the rows cannot be written as Jet SQL
    QString problem; // why not, as the report says it
    bool declaresParameters = false;

    // SELECT and UNION queries return rows; the others change data or the schema.
    bool returnsRows() const { return type == QueryType::Select || type == QueryType::Union; }
};

// The Jet SQL of one query from its rows, in the file's order (the rows of one attribute keep
// their order among themselves).
QueryText queryText(QList<QueryRow> rows);

} // namespace jet::importer
