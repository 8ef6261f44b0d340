// Adding columns and indexes as the update procedures do.

#include "SchemaChange.h"

#include "platform/jet/adox/Catalog.h"
#include "platform/jet/adox/Column.h"
#include "platform/jet/adox/Table.h"
#include "platform/jet/Connection.h"
#include "SchemaExistence.h"

namespace DatabaseHelpers {

namespace {

NewColumn ofType(const QString& name, jet::DataType type, int size = 0)
{
    NewColumn column;
    column.name = name;
    column.type = type;
    column.definedSize = size;
    return column;
}

} // namespace

NewColumn NewColumn::yesNo(const QString& name)
{
    return ofType(name, jet::DataType::Boolean);
}

NewColumn NewColumn::smallInteger(const QString& name)
{
    return ofType(name, jet::DataType::SmallInt);
}

NewColumn NewColumn::longInteger(const QString& name)
{
    return ofType(name, jet::DataType::Integer);
}

NewColumn NewColumn::dateTime(const QString& name)
{
    return ofType(name, jet::DataType::Date);
}

NewColumn NewColumn::text(const QString& name, int size)
{
    return ofType(name, jet::DataType::WChar, size);
}

NewColumn NewColumn::memo(const QString& name)
{
    return ofType(name, jet::DataType::LongVarWChar);
}

NewColumn& NewColumn::withNullable(bool value)
{
    nullable = value;
    return *this;
}

NewColumn& NewColumn::withAllowZeroLength(bool value)
{
    allowZeroLength = value;
    return *this;
}

void BindCatalog(jet::adox::Catalog& catalog, const jet::Connection& connection)
{
    catalog.setActiveConnection(connection.connectionString());
}

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

bool AddColumnIfMissing(jet::Connection& connection, const QString& tableName,
                        const NewColumn& column)
{
    jet::adox::Catalog catalog;
    BindCatalog(catalog, connection);
    return AddColumnIfMissing(catalog, catalog.tables().item(tableName), column);
}

void AddIndexIfMissing(jet::adox::Table& table, const QString& name, const QStringList& columns,
                       bool unique)
{
    if (IndexExists(table, name))
        return;
    jet::adox::Index index(name);
    for (const QString& column : columns)
        index.columns().append(column);
    index.setUnique(unique);
    table.indexes().append(index);
}

} // namespace DatabaseHelpers
