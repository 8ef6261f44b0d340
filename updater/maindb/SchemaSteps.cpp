#include "SchemaSteps.h"

#include "jet/adox/Catalog.h"
#include "jet/Connection.h"
#include "jet/recordset/Recordset.h"
#include "vb/Variant.h"

namespace updater::maindb {

namespace {

// The collections' own lookup also matches names in other letter case; the updates test for
// exactly the name they create.
template <typename Collection>
bool holdsExactly(const Collection& collection, const QString& name)
{
    for (const auto& item : collection) {
        if (item.name() == name)
            return true;
    }
    return false;
}

} // namespace

void bindCatalog(jet::adox::Catalog& catalog, const jet::Connection& connection)
{
    catalog.setActiveConnection(connection.connectionString());
}

bool tableExists(jet::adox::Catalog& catalog, const QString& name)
{
    return holdsExactly(catalog.tables(), name);
}

bool columnExists(jet::adox::Table& table, const QString& name)
{
    return holdsExactly(table.columns(), name);
}

bool indexExists(jet::adox::Table& table, const QString& name)
{
    return holdsExactly(table.indexes(), name);
}

bool storedQueryExists(jet::adox::Catalog& catalog, const QString& name)
{
    return holdsExactly(catalog.views(), name) || holdsExactly(catalog.procedures(), name);
}

void addColumnIfMissing(jet::adox::Catalog& catalog, jet::adox::Table& table,
                        const NewColumn& added)
{
    if (columnExists(table, added.name))
        return;
    jet::adox::Column column(added.name, added.type, added.size);
    column.setParentCatalog(&catalog);
    if (added.optional)
        column.setProperty(QStringLiteral("Nullable"), vb::Variant(true));
    if (added.allowZeroLength)
        column.setProperty(QStringLiteral("Jet OLEDB:Allow Zero Length"), vb::Variant(true));
    table.columns().append(column);
}

void addIndexIfMissing(jet::adox::Table& table, const QString& name, const QStringList& columns,
                       bool unique)
{
    if (indexExists(table, name))
        return;
    jet::adox::Index index(name);
    for (const QString& column : columns)
        index.columns().append(column);
    index.setUnique(unique);
    table.indexes().append(index);
}

void openTable(jet::Recordset& recordset, jet::Connection& connection, const QString& table,
               bool readOnly, const QString& index)
{
    recordset.open(table, connection, jet::CursorType::Keyset,
                   readOnly ? jet::LockType::ReadOnly : jet::LockType::Optimistic,
                   jet::CommandType::TableDirect);
    if (!index.isEmpty())
        recordset.setIndex(index);
}

} // namespace updater::maindb
