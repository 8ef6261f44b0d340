#pragma once

// The catalog's views or its procedures: stored queries kept with their Jet SQL text.

#include "Collection.h"
#include "StoredQuery.h"

namespace jet::adox {

class Catalog;

class StoredQueries : public Collection<StoredQuery>
{
public:
    StoredQueries(Catalog* catalog, bool procedures);

    StoredQuery& append(const QString& name, const QString& jetSql);
    void remove(const QString& name);
    void refresh();

private:
    Catalog* m_catalog;
    bool m_procedures;
};

using View = StoredQuery;
using Procedure = StoredQuery;
using Views = StoredQueries;
using Procedures = StoredQueries;

} // namespace jet::adox
