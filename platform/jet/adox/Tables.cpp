#include "Tables.h"

#include "Catalog.h"
#include "jet/schema/SchemaEditor.h"

namespace jet::adox {

Table& Tables::append(Table& table)
{
    if (table.isAppended()) {
        throw Error::invalidArgument(
            QStringLiteral("Table '%1' is already in a catalog.").arg(table.name()));
    }
    SchemaEditor(m_catalog->handle()).createTable(table.schema());
    table.attach(m_catalog);
    refresh();
    return item(table.name());
}

void Tables::remove(const QString& name)
{
    refresh();
    const QString table = item(name).name();
    SchemaEditor(m_catalog->handle()).dropTable(table);
    refresh();
}

void Tables::refresh()
{
    sqlite3* db = m_catalog->handle();
    const qint64 generation = schemaGeneration(db);
    if (generation == m_loaded) {
        return;
    }
    Catalog* catalog = m_catalog;
    syncNames(tableNames(db), [catalog](const QString& name) {
        auto table = std::make_unique<Table>(name);
        table->attach(catalog);
        return table;
    });
    m_loaded = generation;
}

} // namespace jet::adox
