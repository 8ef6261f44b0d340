#include "SchemaChange.h"

#include "platform/jet/adox/Catalog.h"
#include "platform/jet/adox/Column.h"
#include "platform/jet/adox/Table.h"
#include "SchemaExistence.h"

namespace DatabaseHelpers {

bool AddColumnIfMissing(jet::adox::Catalog& catalog, jet::adox::Table& table,
                        const NewColumn& column)
{
    if (ColumnExists(table, column.name))
        return false;
    jet::adox::Column added(column.name, column.type, column.definedSize);
    added.setParentCatalog(&catalog);
    if (column.nullable)
        added.setProperty(QStringLiteral("Nullable"), vb::Variant(true));
    if (column.allowZeroLength)
        added.setProperty(QStringLiteral("Jet OLEDB:Allow Zero Length"), vb::Variant(true));
    if (column.autoIncrement)
        added.setProperty(QStringLiteral("AutoIncrement"), vb::Variant(true));
    table.columns().append(added);
    return true;
}

} // namespace DatabaseHelpers
