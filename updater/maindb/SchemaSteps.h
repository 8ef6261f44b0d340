#pragma once

// The schema work the main database updates share: a catalog on the database of an open
// connection, the existence tests (names compared exactly, as the updates expect), adding a
// column with the provider properties an update names, and opening a table directly.

#include "jet/DataType.h"

#include <QString>
#include <QStringList>

namespace jet {
class Connection;
class Recordset;
namespace adox {
class Catalog;
class Table;
} // namespace adox
} // namespace jet

namespace updater::maindb {

// A column an update adds: optional columns accept Null, text columns may also accept "".
struct NewColumn
{
    QString name;
    jet::DataType type = jet::DataType::VarWChar;
    int size = 0;
    bool optional = false;
    bool allowZeroLength = false;
};

// Binds `catalog` to the database of `connection` through the connection string, so that the
// catalog keeps a connection of its own.
void bindCatalog(jet::adox::Catalog& catalog, const jet::Connection& connection);

bool tableExists(jet::adox::Catalog& catalog, const QString& name);
bool columnExists(jet::adox::Table& table, const QString& name);
bool indexExists(jet::adox::Table& table, const QString& name);
// Whether the catalog holds a view or procedure of exactly that name.
bool storedQueryExists(jet::adox::Catalog& catalog, const QString& name);

// Adds the column unless the table has one of that name.
void addColumnIfMissing(jet::adox::Catalog& catalog, jet::adox::Table& table,
                        const NewColumn& column);
// Adds the index on `columns` unless the table has one of that name.
void addIndexIfMissing(jet::adox::Table& table, const QString& name, const QStringList& columns,
                       bool unique);

// Opens the table directly with a keyset cursor, read-only or optimistic, on `index` when one
// is named.
void openTable(jet::Recordset& recordset, jet::Connection& connection, const QString& table,
               bool readOnly, const QString& index = {});

} // namespace updater::maindb
