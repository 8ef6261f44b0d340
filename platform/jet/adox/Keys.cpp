#include "Keys.h"

#include "Table.h"

namespace jet::adox {

Key& Keys::append(const Key& key)
{
    if (key.name().trimmed().isEmpty()) {
        throw Error::invalidArgument(QStringLiteral("A key needs a name."));
    }
    if (m_table->isAppended()) {
        m_table->addKey(key);
        return m_table->keys().item(key.name());
    }
    if (find(key.name())) {
        throw Error(ErrorNumber::Unspecified,
                    QStringLiteral("Table '%1' already has a key named '%2'.")
                        .arg(m_table->name(), key.name()));
    }
    key.schema(); // refuses what Jet has no key for before the table is made
    m_items.push_back(std::make_unique<Key>(key));
    return *m_items.back();
}

Key& Keys::append(const QString& name, KeyType type, const QString& column,
                  const QString& relatedTable, const QString& relatedColumn)
{
    Key key(name, type);
    key.setRelatedTable(relatedTable);
    key.columns().append(column, relatedColumn);
    return append(key);
}

void Keys::remove(const QString& name)
{
    Key& key = item(name);
    if (m_table->isAppended()) {
        m_table->dropKey(key.name());
        return;
    }
    std::erase_if(m_items, [&](const auto& item) { return item.get() == &key; });
}

void Keys::load(const QList<KeySchema>& keys)
{
    QStringList names;
    for (const KeySchema& key : keys) {
        names.append(key.name);
    }
    syncNames(names, [](const QString& name) { return std::make_unique<Key>(name); });
    for (int i = 0; i < keys.size(); ++i) {
        item(i) = *Key::fromSchema(keys[i]);
    }
}

} // namespace jet::adox
