#pragma once

// The syntax tree of one Jet statement. Nodes are immutable once parsed and shared, so the
// translator can reuse a select-list expression wherever its alias is named.

#include "DdlStatement.h"
#include "JetSql.h"

#include <memory>
#include <QString>
#include <QStringList>
#include <vector>

namespace jet::sql {

struct Expr;
struct Query;
struct TableRef;
using ExprPtr = std::shared_ptr<const Expr>;
using QueryPtr = std::shared_ptr<const Query>;
using TableRefPtr = std::shared_ptr<const TableRef>;

struct Expr
{
    enum class Kind
    {
        Null,
        Number,   // text: the literal as written (radix literals already decimal)
        String,   // text: the value
        Date,     // value: OLE automation days
        Boolean,  // value: -1 or 0
        Name,     // parts/separators: [Forms]![F]![C] -> {Forms, F, C}, "!!"
        Star,     // * or T.*: parts hold the qualifier
        Unary,    // text: "-", "+", "NOT"
        Binary,   // text: "+", "-", "*", "/", "\", "^", "MOD", "&", "=", "<>", "<", ">",
                  //       "<=", ">=", "AND", "OR", "XOR", "EQV", "IMP"
        IsNull,   // operands[0] Is [Not] Null
        Like,     // operands[0] [Not] Like operands[1]
        Between,  // operands[0] [Not] Between operands[1] And operands[2]
        InList,   // operands[0] [Not] In (operands[1..])
        InQuery,  // operands[0] [Not] In (query)
        Exists,   // Exists (query)
        Subquery, // (query)
        Call,     // text: the function name as written; operands: the arguments
    };

    Kind kind = Kind::Null;
    int position = 0;
    int depth = 1; // height of the subtree, bounded by the parser
    QString text;
    double value = 0;
    QStringList parts;
    QString separators; // '.' or '!' between the parts of a Name
    std::vector<ExprPtr> operands;
    QueryPtr query;
    bool negated = false;
};

struct SelectItem
{
    ExprPtr expr;
    QString alias; // empty when none
};

struct TableRef
{
    enum class Kind
    {
        Table,
        Subquery,
        Join,
    };
    enum class JoinType
    {
        Inner,
        Left,
        Right,
    };

    Kind kind = Kind::Table;
    int position = 0;
    int depth = 1;
    QString name;  // Table
    QString alias; // Table, Subquery
    QueryPtr query;
    JoinType joinType = JoinType::Inner;
    TableRefPtr left;
    TableRefPtr right;
    ExprPtr on;
};

struct OrderItem
{
    ExprPtr expr;
    bool descending = false;
};

// One SELECT of a query (a UNION has several).
struct Select
{
    bool distinct = false;
    bool distinctRow = false;
    ExprPtr top; // TOP n
    bool topPercent = false;
    std::vector<SelectItem> items;
    QString intoTable; // SELECT ... INTO
    std::vector<TableRefPtr> from;
    ExprPtr where;
    std::vector<ExprPtr> groupBy;
    ExprPtr having;
};

struct Query
{
    std::vector<Select> selects;
    std::vector<bool> unionAll; // between selects[i] and selects[i + 1]
    std::vector<OrderItem> orderBy;
};

struct ParameterDecl
{
    QString name; // normalised: parts without brackets, separators kept
    QString type; // as written, e.g. "Text(255)"
};

struct Assignment
{
    ExprPtr target; // a Name
    ExprPtr value;
};

struct Statement
{
    StatementKind kind = StatementKind::Other;
    std::vector<ParameterDecl> parameters;
    QueryPtr query; // Select; Insert ... SELECT
    // Insert
    QString table;
    QStringList columns;
    std::vector<ExprPtr> values;
    // Update and Delete
    std::vector<TableRefPtr> from;
    std::vector<Assignment> assignments;
    std::vector<ExprPtr> deleteTargets; // DELETE T.* / T.col / *
    ExprPtr where;
    DdlStatement ddl;
};

} // namespace jet::sql
