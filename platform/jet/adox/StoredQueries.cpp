#include "StoredQueries.h"

#include "Catalog.h"
#include "jet/schema/SchemaEditor.h"

namespace jet::adox {

StoredQueries::StoredQueries(Catalog* catalog, bool procedures)
    : Collection(procedures ? QStringLiteral("ADOX.Procedures") : QStringLiteral("ADOX.Views")),
      m_catalog(catalog), m_procedures(procedures)
{
}

StoredQuery& StoredQueries::append(const QString& name, const QString& jetSql)
{
    SchemaEditor(m_catalog->handle()).saveQuery(StoredQuerySchema{name, jetSql, m_procedures});
    refresh();
    return item(name);
}

void StoredQueries::remove(const QString& name)
{
    refresh();
    const QString query = item(name).name();
    SchemaEditor(m_catalog->handle()).dropQuery(query);
    refresh();
}

void StoredQueries::refresh()
{
    QStringList names;
    for (const StoredQuerySchema& query : storedQueries(m_catalog->handle())) {
        if (query.procedure == m_procedures) {
            names.append(query.name);
        }
    }
    Catalog* catalog = m_catalog;
    const bool procedures = m_procedures;
    syncNames(names, [catalog, procedures](const QString& name) {
        return std::make_unique<StoredQuery>(catalog, name, procedures);
    });
}

} // namespace jet::adox
