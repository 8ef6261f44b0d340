#pragma once

// The indexes of a table. On an appended table, append() creates the index at once and
// remove() drops it.

#include "Collection.h"
#include "Index.h"

namespace jet::adox {

class Table;

class Indexes : public Collection<Index>
{
public:
    explicit Indexes(Table* table) : Collection(QStringLiteral("ADOX.Indexes")), m_table(table) {}

    Index& append(const Index& index);
    // An index on the columns, in this order.
    Index& append(const QString& name, const QStringList& columns);
    void remove(const QString& name);

    void load(const QList<IndexSchema>& indexes);

private:
    Table* m_table;
};

} // namespace jet::adox
