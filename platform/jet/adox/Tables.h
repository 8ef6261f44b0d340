#pragma once

// The user tables of a catalog's database, in creation order (engine tables are not listed).

#include "Collection.h"
#include "Table.h"

namespace jet::adox {

class Catalog;

class Tables : public Collection<Table>
{
public:
    explicit Tables(Catalog* catalog)
        : Collection(QStringLiteral("ADOX.Tables")), m_catalog(catalog)
    {
    }

    // Creates the table in the database; `table` then stands for it.
    Table& append(Table& table);
    // Drops the table (refused while another table relates to it).
    void remove(const QString& name);
    void refresh();

private:
    Catalog* m_catalog;
    qint64 m_loaded = -1;
};

} // namespace jet::adox
