#include "Indexes.h"

#include "Table.h"

namespace jet::adox {

Index& Indexes::append(const Index& index)
{
    if (index.name().trimmed().isEmpty()) {
        throw Error::invalidArgument(QStringLiteral("An index needs a name."));
    }
    if (m_table->isAppended()) {
        m_table->addIndex(index);
        return m_table->indexes().item(index.name());
    }
    if (find(index.name())) {
        throw Error(ErrorNumber::Unspecified,
                    QStringLiteral("Table '%1' already has an index named '%2'.")
                        .arg(m_table->name(), index.name()));
    }
    m_items.push_back(std::make_unique<Index>(index));
    return *m_items.back();
}

Index& Indexes::append(const QString& name, const QStringList& columns)
{
    Index index(name);
    for (const QString& column : columns) {
        index.columns().append(column);
    }
    return append(index);
}

void Indexes::remove(const QString& name)
{
    Index& index = item(name);
    if (m_table->isAppended()) {
        m_table->dropIndex(index.name());
        return;
    }
    std::erase_if(m_items, [&](const auto& item) { return item.get() == &index; });
}

void Indexes::load(const QList<IndexSchema>& indexes)
{
    QStringList names;
    for (const IndexSchema& index : indexes) {
        names.append(index.name);
    }
    syncNames(names, [](const QString& name) { return std::make_unique<Index>(name); });
    for (int i = 0; i < indexes.size(); ++i) {
        item(i) = *Index::fromSchema(indexes[i]);
    }
}

} // namespace jet::adox
