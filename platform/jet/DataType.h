#pragma once

// The data type of a field, with ADO's DataTypeEnum numbers, and how the engine finds it from
// a column's declared SQLite type (which keeps the Jet type word: DATETIME, BIT, SHORT, ...).

#include <QString>

namespace jet {

enum class DataType : int
{
    Empty = 0,
    SmallInt = 2, // Integer (16-bit)
    Integer = 3,  // Long, Counter
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    Boolean = 11,         // Yes/No
    Variant = 12,         // computed column without a declared type
    UnsignedTinyInt = 17, // Byte
    Guid = 72,
    Binary = 128,
    WChar = 130,
    Numeric = 131,       // Decimal
    VarWChar = 202,      // Text(n)
    LongVarWChar = 203,  // Memo
    VarBinary = 204,     // Binary(n)
    LongVarBinary = 205, // OLE object
};

struct ColumnType
{
    DataType type = DataType::Variant;
    int size = 0; // characters of Text(n), bytes of Binary(n); 0 when not given
};

// The type of a column declared as `declaredType` (case-insensitive, the first word counts,
// "(n)" gives the size). Jet's names and their synonyms are recognised; SQLite's plain names
// map to the nearest Jet type (REAL to Double, so no precision is lost); anything else, and an
// empty declaration, gives Variant.
ColumnType columnTypeFromDeclaration(const QString& declaredType);

// The Jet name of a type, as shown to users ("Text", "Long", "Yes/No", ...).
QString jetTypeName(DataType type);

} // namespace jet
