#include "StoredQuery.h"

#include "Catalog.h"
#include "jet/Error.h"
#include "jet/schema/SchemaEditor.h"

namespace jet::adox {

QString StoredQuery::commandText() const
{
    const std::optional<StoredQuerySchema> query = storedQuery(m_catalog->handle(), m_name);
    if (!query) {
        throw Error::itemNotFound(m_name, QStringLiteral("ADOX.Views"));
    }
    return query->jetText;
}

void StoredQuery::setCommandText(const QString& jetSql)
{
    SchemaEditor(m_catalog->handle())
        .saveQuery(StoredQuerySchema{m_name, jetSql, m_procedure}, true);
}

} // namespace jet::adox
