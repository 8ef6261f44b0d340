#pragma once

// A column an update adds to a table of one of its databases, in the type words the updates
// use (Yes/No, 16-bit integer, 32-bit integer, text(n), memo, date/time), with the provider
// properties the update names. Properties it does not name keep the provider's defaults.

#include "jet/DataType.h"

#include <optional>
#include <QString>

namespace jet {
class Connection;
namespace adox {
class Catalog;
class Table;
} // namespace adox
} // namespace jet

namespace updater {

struct NewColumn
{
    QString name;
    jet::DataType type = jet::DataType::WChar;
    int definedSize = 0; // text(n) only
    std::optional<bool> nullable;
    std::optional<bool> allowZeroLength;

    static NewColumn yesNo(const QString& name);
    static NewColumn smallInteger(const QString& name);
    static NewColumn longInteger(const QString& name);
    static NewColumn dateTime(const QString& name);
    static NewColumn text(const QString& name, int size);
    static NewColumn memo(const QString& name);

    // "Nullable" and "Jet OLEDB:Allow Zero Length".
    NewColumn& withNullable(bool value);
    NewColumn& withAllowZeroLength(bool value);
};

// Adds `column` to `table` when it has no column of that name; an existing column is left as
// it is, so the step may run again without harm.
void addColumnIfMissing(jet::adox::Catalog& catalog, jet::adox::Table& table,
                        const NewColumn& column);

// The same on a table of the database open on `connection`, through a catalog of its own
// bound to that connection's connection string and released at the end of the step.
void addColumnIfMissing(jet::Connection& connection, const QString& tableName,
                        const NewColumn& column);

} // namespace updater
