#include "NewColumn.h"

#include "common/SchemaChange.h"
#include "jet/adox/Catalog.h"

namespace updater {

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

void addColumnIfMissing(jet::adox::Catalog& catalog, jet::adox::Table& table,
                        const NewColumn& column)
{
    // Properties the update does not name keep the provider's defaults (not nullable, no
    // zero-length text).
    DatabaseHelpers::NewColumn added;
    added.name = column.name;
    added.type = column.type;
    added.definedSize = column.definedSize;
    added.nullable = column.nullable.value_or(false);
    added.allowZeroLength = column.allowZeroLength.value_or(false);
    DatabaseHelpers::AddColumnIfMissing(catalog, table, added);
}

void addColumnIfMissing(jet::Connection& connection, const QString& tableName,
                        const NewColumn& column)
{
    jet::adox::Catalog catalog;
    catalog.setActiveConnection(connection.connectionString());
    addColumnIfMissing(catalog, catalog.tables().item(tableName), column);
}

} // namespace updater
