#include "NewColumn.h"

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

template <typename Collection>
bool holdsExactly(const Collection& items, const QString& name)
{
    // The collections also find names written in another case; the updates compare exactly.
    for (const auto& item : items) {
        if (item.name() == name)
            return true;
    }
    return false;
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

bool ColumnExists(jet::adox::Table& table, const QString& name)
{
    return holdsExactly(table.columns(), name);
}

bool TableExists(jet::adox::Catalog& catalog, const QString& name)
{
    return holdsExactly(catalog.tables(), name);
}

bool IndexExists(jet::adox::Table& table, const QString& name)
{
    return holdsExactly(table.indexes(), name);
}

void addColumnIfMissing(jet::adox::Catalog& catalog, jet::adox::Table& table,
                        const NewColumn& column)
{
    if (ColumnExists(table, column.name))
        return;
    jet::adox::Column added(column.name, column.type, column.definedSize);
    // Provider properties can only be set on a column that knows its catalog.
    added.setParentCatalog(&catalog);
    if (column.nullable)
        added.setProperty(QStringLiteral("Nullable"), *column.nullable);
    if (column.allowZeroLength)
        added.setProperty(QStringLiteral("Jet OLEDB:Allow Zero Length"), *column.allowZeroLength);
    table.columns().append(added);
}

void addColumnIfMissing(jet::Connection& connection, const QString& tableName,
                        const NewColumn& column)
{
    jet::adox::Catalog catalog;
    catalog.setActiveConnection(connection.connectionString());
    addColumnIfMissing(catalog, catalog.tables().item(tableName), column);
}

} // namespace updater
