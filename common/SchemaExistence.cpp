#include "SchemaExistence.h"

#include "platform/jet/adox/Catalog.h"
#include "platform/jet/adox/Table.h"

namespace DatabaseHelpers {

namespace {

// The collections' own lookup by name also accepts other letter cases; these tests must not.
template <typename Collection>
bool holdsExactly(const Collection& items, const QString& name)
{
    for (const auto& item : items)
        if (item.name() == name)
            return true;
    return false;
}

} // namespace

bool TableExists(jet::adox::Catalog& catalog, const QString& tableName)
{
    return holdsExactly(catalog.tables(), tableName);
}

bool ColumnExists(jet::adox::Table& table, const QString& columnName)
{
    return holdsExactly(table.columns(), columnName);
}

bool IndexExists(jet::adox::Table& table, const QString& indexName)
{
    return holdsExactly(table.indexes(), indexName);
}

bool StoredQueryExists(jet::adox::Catalog& catalog, const QString& queryName)
{
    return holdsExactly(catalog.views(), queryName) ||
           holdsExactly(catalog.procedures(), queryName);
}

} // namespace DatabaseHelpers
