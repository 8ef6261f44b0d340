#include "Index.h"

namespace jet::adox {

Index::Index(const Index& other) : m_columns(nullptr)
{
    *this = other;
}

Index& Index::operator=(const Index& other)
{
    if (this == &other) {
        return *this;
    }
    m_name = other.m_name;
    m_unique = other.m_unique;
    m_primaryKey = other.m_primaryKey;
    m_nulls = other.m_nulls;
    m_columns.loadNames({});
    for (const Column& column : other.m_columns) {
        m_columns.append(column);
    }
    return *this;
}

IndexSchema Index::schema() const
{
    IndexSchema schema;
    schema.name = m_name;
    for (const Column& column : m_columns) {
        schema.columns.append(
            IndexColumn{column.name(), column.sortOrder() == SortOrder::Descending});
    }
    schema.unique = m_unique || m_primaryKey;
    schema.primary = m_primaryKey;
    schema.ignoreNulls = ignoreNulls();
    schema.disallowNull = m_nulls == IndexNulls::Disallow || m_primaryKey;
    return schema;
}

std::unique_ptr<Index> Index::fromSchema(const IndexSchema& schema)
{
    auto index = std::make_unique<Index>(schema.name);
    for (const IndexColumn& column : schema.columns) {
        index->m_columns.append(column.name)
            .setSortOrder(column.descending ? SortOrder::Descending : SortOrder::Ascending);
    }
    index->m_unique = schema.unique;
    index->m_primaryKey = schema.primary;
    index->m_nulls = schema.ignoreNulls    ? IndexNulls::Ignore
                     : schema.disallowNull ? IndexNulls::Disallow
                                           : IndexNulls::Allow;
    return index;
}

} // namespace jet::adox
