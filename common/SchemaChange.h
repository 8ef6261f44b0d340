#pragma once

// The way update procedures add a column: an ADOX column with its name, type and size, attached
// to the catalog so the provider properties the update names can be set, appended to the
// table only when the table has no column of exactly that name.

#include "platform/jet/DataType.h"

#include <QString>

namespace jet::adox {
class Catalog;
class Table;
} // namespace jet::adox

namespace DatabaseHelpers {

struct NewColumn
{
    QString name;
    jet::DataType type = jet::DataType::VarWChar;
    int definedSize = 0;          // text(n): n
    bool nullable = false;        // "Nullable": the column is optional
    bool allowZeroLength = false; // "Jet OLEDB:Allow Zero Length" for text that may be ""
    bool autoIncrement = false;   // "AutoIncrement" for counter keys
};

// Appends `column` to `table` (a table of `catalog`) unless ColumnExists; true when it was
// added. Provider errors reach the caller, whose error trap records them.
bool AddColumnIfMissing(jet::adox::Catalog& catalog, jet::adox::Table& table,
                        const NewColumn& column);

} // namespace DatabaseHelpers
