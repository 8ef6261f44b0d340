#pragma once

// An ADOX index: a name unique within its table, its columns in key order (each ascending or
// descending), and whether it is unique, the primary key, and what it does with Nulls.

#include "Columns.h"

#include <QString>

namespace jet::adox {

// AllowNullsEnum
enum class IndexNulls
{
    Allow = 0,
    Disallow = 1,
    Ignore = 2,
    IgnoreAny = 4,
};

class Index
{
public:
    Index() : m_columns(nullptr) {}
    explicit Index(QString name) : m_name(std::move(name)), m_columns(nullptr) {}
    Index(const Index& other);
    Index& operator=(const Index& other);

    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    Columns& columns() { return m_columns; }
    const Columns& columns() const { return m_columns; }
    bool unique() const { return m_unique; }
    void setUnique(bool unique) { m_unique = unique; }
    bool primaryKey() const { return m_primaryKey; }
    void setPrimaryKey(bool primaryKey) { m_primaryKey = primaryKey; }
    IndexNulls indexNulls() const { return m_nulls; }
    void setIndexNulls(IndexNulls nulls) { m_nulls = nulls; }
    bool ignoreNulls() const
    {
        return m_nulls == IndexNulls::Ignore || m_nulls == IndexNulls::IgnoreAny;
    }
    void setIgnoreNulls(bool ignore) { m_nulls = ignore ? IndexNulls::Ignore : IndexNulls::Allow; }

    IndexSchema schema() const;
    static std::unique_ptr<Index> fromSchema(const IndexSchema& schema);

private:
    QString m_name;
    Columns m_columns;
    bool m_unique = false;
    bool m_primaryKey = false;
    IndexNulls m_nulls = IndexNulls::Allow;
};

} // namespace jet::adox
