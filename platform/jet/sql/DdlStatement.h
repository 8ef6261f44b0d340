#pragma once

// The structured form of a Jet schema statement (CREATE TABLE, ALTER TABLE, CREATE INDEX,
// DROP TABLE, DROP INDEX). The translator only parses these; the catalog executes them, so
// the description keeps Jet's own types and names exactly as written.

#include <optional>
#include <QString>
#include <QStringList>

namespace jet {

// Jet's column types (the names Jet SQL accepts for each are listed in DdlStatement.cpp).
enum class JetType
{
    Text,       // TEXT(n), CHAR, VARCHAR, ...: n characters (0 = not given)
    Memo,       // MEMO, LONGTEXT, ...
    Byte,       // BYTE, TINYINT
    Integer,    // SHORT, SMALLINT: 16-bit
    Long,       // LONG, INT, INTEGER: 32-bit
    Single,     // SINGLE, REAL
    Double,     // DOUBLE, FLOAT, NUMBER
    Currency,   // CURRENCY, MONEY
    DateTime,   // DATETIME, DATE, TIME
    YesNo,      // BIT, YESNO, LOGICAL, BOOLEAN
    Counter,    // COUNTER, AUTOINCREMENT: a 32-bit auto-numbered key
    Binary,     // BINARY(n), VARBINARY
    LongBinary, // LONGBINARY, OLEOBJECT, IMAGE
    Guid,       // GUID, UNIQUEIDENTIFIER
    Decimal,    // DECIMAL(p, s), NUMERIC
    Value,      // VALUE: an untyped parameter (PARAMETERS only)
};

// The Jet type word for a type name as written ("SHORT", "Text", "YesNo"...); nullopt when the
// name is not a Jet type.
std::optional<JetType> jetTypeFromName(const QString& name);

// The SQLite declaration under which a column of this type is stored ("INTEGER", "REAL",
// "TEXT COLLATE JET", "BLOB").
QString sqliteDeclaration(JetType type);

enum class ReferentialAction
{
    NoAction,
    Cascade,
    SetNull,
};

struct ConstraintDef
{
    enum class Kind
    {
        PrimaryKey,
        Unique,
        ForeignKey,
        NotNull, // only as a column constraint
    };
    QString name; // empty when the statement gives none
    Kind kind = Kind::PrimaryKey;
    QStringList columns; // for a column constraint: that column
    QString referencedTable;
    QStringList referencedColumns; // empty: the referenced table's primary key
    ReferentialAction onUpdate = ReferentialAction::NoAction;
    ReferentialAction onDelete = ReferentialAction::NoAction;
};

struct ColumnDef
{
    QString name;
    QString typeName; // as written, e.g. "TEXT"
    JetType type = JetType::Text;
    int size = 0;      // TEXT(n)/BINARY(n): n; 0 when not given
    int precision = 0; // DECIMAL(p, s)
    int scale = 0;
    bool notNull = false;
    bool compressed = false;           // WITH COMPRESSION / WITH COMP
    std::optional<QString> defaultSql; // DEFAULT <literal> as written
    int firstValue = 1;                // COUNTER(first value, increment)
    int increment = 1;
    QList<ConstraintDef> constraints; // column constraints (columns = this column)
};

struct IndexColumn
{
    QString name;
    bool descending = false;
};

struct IndexDef
{
    QString name;
    QString table;
    QList<IndexColumn> columns;
    bool unique = false;
    bool primary = false;      // WITH PRIMARY
    bool disallowNull = false; // WITH DISALLOW NULL
    bool ignoreNull = false;   // WITH IGNORE NULL
};

struct DdlStatement
{
    enum class Action
    {
        None,
        CreateTable,
        AddColumn,
        AlterColumn,
        DropColumn,
        AddConstraint,
        DropConstraint,
        CreateIndex,
        DropTable,
        DropIndex,
    };
    Action action = Action::None;
    QString table;
    QList<ColumnDef> columns;         // CreateTable, AddColumn, AlterColumn (one)
    QList<ConstraintDef> constraints; // CreateTable (table constraints), AddConstraint (one)
    IndexDef index;                   // CreateIndex
    QString name; // DropColumn: the column; DropConstraint: the constraint; DropIndex: the index
};

} // namespace jet
