#include "Table.h"

#include "Catalog.h"
#include "jet/schema/SchemaEditor.h"

namespace jet::adox {

Table::Table() : m_columns(this), m_indexes(this), m_keys(this) {}

Table::Table(QString name) : m_name(std::move(name)), m_columns(this), m_indexes(this), m_keys(this)
{
}

void Table::setName(const QString& name)
{
    if (isAppended()) {
        throw Error::invalidArgument(
            QStringLiteral("Table '%1' is already in the database; it keeps its name.")
                .arg(m_name));
    }
    m_name = name;
}

Columns& Table::columns()
{
    refresh();
    return m_columns;
}

Indexes& Table::indexes()
{
    refresh();
    return m_indexes;
}

Keys& Table::keys()
{
    refresh();
    return m_keys;
}

TableSchema Table::schema() const
{
    TableSchema schema;
    schema.name = m_name;
    for (const Column& column : m_columns) {
        schema.columns.append(column.schema());
    }
    for (const Index& index : m_indexes) {
        schema.indexes.append(index.schema());
    }
    for (const Key& key : m_keys) {
        schema.keys.append(key.schema());
    }
    return schema;
}

void Table::attach(Catalog* catalog)
{
    m_catalog = catalog;
    m_loaded = -1;
    refresh();
}

void Table::refresh()
{
    if (!m_catalog) {
        return;
    }
    sqlite3* db = m_catalog->handle();
    const qint64 generation = schemaGeneration(db);
    if (generation == m_loaded) {
        return;
    }
    const std::optional<TableSchema> schema = readTableSchema(db, m_name);
    if (!schema) {
        throw Error(ErrorNumber::InputTableNotFound,
                    QStringLiteral("Table '%1' is no longer in the database.").arg(m_name));
    }
    m_name = schema->name;
    m_columns.load(schema->columns);
    m_indexes.load(schema->indexes);
    m_keys.load(schema->keys);
    m_loaded = generation;
}

void Table::addColumn(const Column& column)
{
    SchemaEditor(m_catalog->handle()).addColumn(m_name, column.schema());
}

void Table::dropColumn(const QString& name)
{
    SchemaEditor(m_catalog->handle()).dropColumn(m_name, name);
}

void Table::columnChanged(const Column& column)
{
    SchemaEditor(m_catalog->handle()).alterColumn(m_name, column.schema());
}

void Table::addIndex(const Index& index)
{
    SchemaEditor(m_catalog->handle()).createIndex(m_name, index.schema());
}

void Table::dropIndex(const QString& name)
{
    SchemaEditor(m_catalog->handle()).dropIndex(m_name, name);
}

void Table::addKey(const Key& key)
{
    SchemaEditor(m_catalog->handle()).addKey(m_name, key.schema());
}

void Table::dropKey(const QString& name)
{
    SchemaEditor(m_catalog->handle()).dropConstraint(m_name, name);
}

} // namespace jet::adox
