#pragma once

// An ADOX key: primary, unique or foreign, with its columns in order; a foreign key names its
// related table, each column's related column and what updates and deletes of the related
// record do.

#include "Columns.h"

#include <QString>

namespace jet::adox {

// KeyTypeEnum
enum class KeyType
{
    Primary = 1,
    Foreign = 2,
    Unique = 3,
};

// RuleEnum
enum class Rule
{
    None = 0,
    Cascade = 1,
    SetNull = 2,
    SetDefault = 3,
};

class Key
{
public:
    Key() : m_columns(nullptr) {}
    explicit Key(QString name, KeyType type = KeyType::Primary)
        : m_name(std::move(name)), m_type(type), m_columns(nullptr)
    {
    }
    Key(const Key& other);
    Key& operator=(const Key& other);

    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    KeyType type() const { return m_type; }
    void setType(KeyType type) { m_type = type; }
    QString relatedTable() const { return m_relatedTable; }
    void setRelatedTable(const QString& table) { m_relatedTable = table; }
    Columns& columns() { return m_columns; }
    const Columns& columns() const { return m_columns; }
    Rule updateRule() const { return m_updateRule; }
    void setUpdateRule(Rule rule) { m_updateRule = rule; }
    Rule deleteRule() const { return m_deleteRule; }
    void setDeleteRule(Rule rule) { m_deleteRule = rule; }

    // Raises for a rule Jet does not have (SetDefault).
    KeySchema schema() const;
    static std::unique_ptr<Key> fromSchema(const KeySchema& schema);

private:
    QString m_name;
    KeyType m_type = KeyType::Primary;
    QString m_relatedTable;
    Columns m_columns;
    Rule m_updateRule = Rule::None;
    Rule m_deleteRule = Rule::None;
};

} // namespace jet::adox
