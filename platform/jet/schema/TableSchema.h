#pragma once

// The Jet-level description of a database's tables and stored queries: columns with their Jet
// types and properties, indexes under their Jet names, keys with their rules, and the stored
// queries' Jet text. Every part of the engine reads a table's shape from here; the catalog
// (SchemaEditor) is the only writer.

#include "jet/DataType.h"
#include "jet/sql/DdlStatement.h"

#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

struct sqlite3;

namespace jet {

inline constexpr int kDefaultDecimalPrecision = 18;
inline constexpr int kMaxDecimalPrecision = 28;

struct ColumnSchema
{
    QString name;                      // as created, case kept
    JetType type = JetType::Text;      // Counter for auto-numbered columns
    int size = 0;                      // Text(n): n; 0 otherwise
    bool nullable = true;              // false: NOT NULL / Nullable false / Required
    bool allowZeroLength = false;      // text and memo: "" may be stored
    bool autoIncrement = false;        // counter
    std::optional<QString> defaultSql; // Jet literal text as given
    // Jet checks Allow Zero Length only on columns whose property was set, as ADOX does; text
    // made by SQL DDL reads "not allowed" but takes "" until the property is set (false here).
    bool zeroLengthChecked = true;
    // Decimal: digits in all and digits after the decimal point (Jet's defaults 18 and 0).
    int precision = kDefaultDecimalPrecision;
    int scale = 0;

    // ADO's DataTypeEnum number of the column: Text 202, Memo 203, Long and Counter 3, ...
    DataType adoType() const;
    bool isText() const { return type == JetType::Text || type == JetType::Memo; }
};

struct IndexSchema
{
    QString name;               // Jet's name, unique per table ("PrimaryKey")
    QString sqliteName;         // the SQLite index serving it; empty when the rowid serves it
    QList<IndexColumn> columns; // in key order, with descending flags
    bool unique = false;
    bool primary = false;
    bool ignoreNulls = false;
    bool disallowNull = false;
};

struct KeySchema
{
    enum class Kind
    {
        Primary = 1,
        Foreign = 2,
        Unique = 3,
    }; // ADOX KeyTypeEnum numbers
    QString name;
    Kind kind = Kind::Primary;
    QStringList columns;
    QString relatedTable;
    QStringList relatedColumns;
    ReferentialAction onUpdate = ReferentialAction::NoAction;
    ReferentialAction onDelete = ReferentialAction::NoAction;
};

struct TableSchema
{
    QString name;                // as created
    QList<ColumnSchema> columns; // in table order
    QList<IndexSchema> indexes;
    QList<KeySchema> keys;

    int columnIndex(const QString& name) const;          // case-insensitive; -1
    const IndexSchema* index(const QString& name) const; // case-insensitive; nullptr
    const IndexSchema* primaryIndex() const;
    const KeySchema* key(const QString& name) const; // case-insensitive; nullptr
};

struct StoredQuerySchema
{
    QString name;
    QString jetText;
    bool procedure = false;
};

// User tables (no engine tables such as MSys*), in creation order.
QStringList tableNames(sqlite3* db);
// nullopt when there is no such user table (name compared case-insensitively).
std::optional<TableSchema> readTableSchema(sqlite3* db, const QString& table);
// Stored queries in creation order.
QList<StoredQuerySchema> storedQueries(sqlite3* db);
std::optional<StoredQuerySchema> storedQuery(sqlite3* db, const QString& name);

// Changes whenever a table or stored query is created, changed or dropped, by any connection:
// what a cache of names built from the schema compares against.
qint64 schemaGeneration(sqlite3* db);

} // namespace jet
