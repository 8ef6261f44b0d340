#include "Columns.h"

#include "Table.h"

namespace jet::adox {

Column& Columns::append(const QString& name, DataType type, int definedSize)
{
    return append(Column(name, type, definedSize));
}

Column& Columns::append(const QString& name, const QString& relatedColumn)
{
    Column column(name);
    column.setRelatedColumn(relatedColumn);
    return append(column);
}

Column& Columns::append(const Column& column)
{
    if (column.name().trimmed().isEmpty()) {
        throw Error::invalidArgument(QStringLiteral("A column needs a name."));
    }
    if (find(column.name()) && (!m_table || !m_table->isAppended())) {
        throw Error(
            ErrorNumber::Unspecified,
            QStringLiteral("The column '%1' is already in the collection.").arg(column.name()));
    }
    if (m_table && m_table->isAppended()) {
        m_table->addColumn(column);
        return m_table->columns().item(column.name());
    }
    auto added = std::make_unique<Column>(column);
    m_items.push_back(std::move(added));
    return *m_items.back();
}

void Columns::remove(const QString& name)
{
    Column& column = item(name);
    if (m_table && m_table->isAppended()) {
        m_table->dropColumn(column.name());
        return;
    }
    std::erase_if(m_items, [&](const auto& item) { return item.get() == &column; });
}

void Columns::load(const QList<ColumnSchema>& columns)
{
    QStringList names;
    for (const ColumnSchema& column : columns) {
        names.append(column.name);
    }
    syncNames(names, [](const QString& name) { return std::make_unique<Column>(name); });
    for (int i = 0; i < columns.size(); ++i) {
        Column& column = item(i);
        column = Column::fromSchema(columns[i]);
        column.setTable(m_table);
    }
}

void Columns::loadNames(const QStringList& names)
{
    syncNames(names, [](const QString& name) { return std::make_unique<Column>(name); });
}

} // namespace jet::adox
