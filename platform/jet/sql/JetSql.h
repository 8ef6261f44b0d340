#pragma once

// Jet SQL on SQLite. Every database of the suite is a SQLite file, but every program speaks
// Jet's dialect: translate() turns one Jet statement into SQLite SQL (or, for schema
// statements, into a structured description the catalog executes), and
// registerSqlFunctions() gives a SQLite connection what the translated SQL calls: the VBA
// functions, the helpers for operators SQLite does differently, Like, the case-insensitive
// "JET" collation and the First/Last aggregates.

#include "DdlStatement.h"
#include "vb/Error.h"

#include <functional>
#include <optional>
#include <QString>
#include <QStringList>

struct sqlite3;

namespace jet {

// A statement Jet would refuse to parse. position is the 0-based character offset in the Jet
// text where the parser gave up; the description follows Jet's wording ("Syntax error in FROM
// clause.").
class SqlSyntaxError : public vb::Error
{
public:
    static constexpr int Number = -2147217900; // 0x80040E14

    SqlSyntaxError(QString description, int position);

    int position = 0;
};

enum class StatementKind
{
    Select,
    Insert,
    Update,
    Delete,
    CreateTable,
    AlterTable,
    CreateIndex,
    DropTable,
    DropIndex,
    Other, // SELECT ... INTO (make-table): sqlite holds a CREATE TABLE ... AS SELECT
};

struct TranslatedStatement
{
    StatementKind kind = StatementKind::Other;
    // The SQLite text (empty for schema statements). Parameters appear as ?1, ?2, ...: ?N
    // stands for parameters[N - 1].
    QString sqlite;
    // Parameter names in binding order: first those declared by PARAMETERS (in their order),
    // then the others in order of first appearance. A name used twice is one parameter.
    // Names are written without brackets: "Forms!Orders!OrderID", "Beginning Date".
    QStringList parameters;
    // The Jet type word each parameter was declared with ("DateTime", "Text(255)"); empty for
    // parameters not declared.
    QStringList parameterTypes;
    // Select: the Jet type word of each result column where the statement tells it though
    // SQLite would declare none (a computed Date gives "DATETIME", CCur(...) "CURRENCY", a
    // comparison "BIT", ...); empty for a column whose type is not known. The list may be
    // shorter than the result (it stops at a *).
    QStringList resultTypes;
    // Schema statements: what to do. Action::None for the others.
    DdlStatement ddl;
};

struct TranslateOptions
{
    // When set: true for every table, stored query and column name of the database (compare
    // case-insensitively). A name in an expression that is none of these, nor an alias of the
    // statement, becomes a parameter, as in Jet. When not set, only names declared by
    // PARAMETERS and form references ([Forms]![F]![C]) become parameters.
    std::function<bool(const QString& name)> isKnownName;
    // When set: the Jet text of the stored query of that name, or nullopt when there is none.
    // A stored query named in FROM is then expanded in place as a sub-query (its parameters
    // join this statement's), instead of being left to a view of that name.
    std::function<std::optional<QString>(const QString& name)> storedQuery;
    // When set: the declared type word of column `column` of table `table` ("DATETIME"), or
    // an empty string when there is no such column. Lets resultTypes follow a column through
    // an expression (Max([Purchased]), IIf(..., [Purchased] + 1, Null)).
    std::function<QString(const QString& table, const QString& column)> columnType;
};

// Translates one Jet statement (a trailing ";" is allowed). Raises SqlSyntaxError for text Jet
// would not accept, and vb::Error with Jet's message for what it would refuse otherwise
// ("Undefined function 'X' in expression.", crosstab and pass-through queries).
TranslatedStatement translate(const QString& jetSql, const TranslateOptions& options = {});

// Registers on `db` everything the translated SQL calls. Call once per connection. It also
// turns off SQLite's reading of an unknown "name" as a string (the translation quotes names
// that way), and the VBA functions replace SQLite's built-ins of the same names (Replace,
// Trim, Round, Date, ...) on this connection.
void registerSqlFunctions(sqlite3* db);

} // namespace jet
