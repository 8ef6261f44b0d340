#pragma once

// The keys of a table. On an appended table, append() creates the key at once (with the index
// Jet gives every key) and remove() drops it.

#include "Collection.h"
#include "Key.h"

namespace jet::adox {

class Table;

class Keys : public Collection<Key>
{
public:
    explicit Keys(Table* table) : Collection(QStringLiteral("ADOX.Keys")), m_table(table) {}

    Key& append(const Key& key);
    // A key on one column (with its related column for a foreign key).
    Key& append(const QString& name, KeyType type, const QString& column,
                const QString& relatedTable = {}, const QString& relatedColumn = {});
    void remove(const QString& name);

    void load(const QList<KeySchema>& keys);

private:
    Table* m_table;
};

} // namespace jet::adox
