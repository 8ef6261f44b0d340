#pragma once

// The way update procedures change a schema: a column with its name, type and size (in the
// type words the updates use: Yes/No, 16-bit and 32-bit integers, date/time, text(n), memo),
// attached to the catalog so the provider properties the update names can be set, appended only
// when the table has no column of exactly that name; an index added the same way. Properties an
// update does not name keep the provider's defaults (required, no zero-length text). Every step
// may run again without harm.

#include "platform/jet/DataType.h"

#include <QString>
#include <QStringList>

namespace jet {
class Connection;
namespace adox {
class Catalog;
class Table;
} // namespace adox
} // namespace jet

namespace DatabaseHelpers {

struct NewColumn
{
    QString name;
    jet::DataType type = jet::DataType::VarWChar;
    int definedSize = 0;          // text(n): n
    bool nullable = false;        // "Nullable": the column is optional
    bool allowZeroLength = false; // "Jet OLEDB:Allow Zero Length" for text that may be ""
    bool autoIncrement = false;   // "AutoIncrement" for counter keys

    static NewColumn yesNo(const QString& name);
    static NewColumn smallInteger(const QString& name);
    static NewColumn longInteger(const QString& name);
    static NewColumn dateTime(const QString& name);
    static NewColumn text(const QString& name, int size);
    static NewColumn memo(const QString& name);

    NewColumn& withNullable(bool value);
    NewColumn& withAllowZeroLength(bool value);
};

// Binds `catalog` to the database of `connection` through the connection string, so that the
// catalog keeps a connection of its own.
void BindCatalog(jet::adox::Catalog& catalog, const jet::Connection& connection);

// Appends `column` to `table` (a table of `catalog`) unless ColumnExists; true when it was
// added. Provider errors reach the caller, whose error trap records them.
bool AddColumnIfMissing(jet::adox::Catalog& catalog, jet::adox::Table& table,
                        const NewColumn& column);
// The same on a table of the database open on `connection`, through a catalog of its own that
// is released at the end of the step.
bool AddColumnIfMissing(jet::Connection& connection, const QString& tableName,
                        const NewColumn& column);

// Adds the index on `columns` unless the table has one of exactly that name.
void AddIndexIfMissing(jet::adox::Table& table, const QString& name, const QStringList& columns,
                       bool unique);

} // namespace DatabaseHelpers
