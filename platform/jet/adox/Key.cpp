#include "Key.h"

namespace jet::adox {

namespace {

ReferentialAction action(Rule rule, const QString& key)
{
    switch (rule) {
    case Rule::None:
        return ReferentialAction::NoAction;
    case Rule::Cascade:
        return ReferentialAction::Cascade;
    case Rule::SetNull:
        return ReferentialAction::SetNull;
    case Rule::SetDefault:
        break;
    }
    throw Error::invalidArgument(
        QStringLiteral("The key '%1' asks for a rule Jet does not have (set default).").arg(key));
}

Rule rule(ReferentialAction action)
{
    switch (action) {
    case ReferentialAction::Cascade:
        return Rule::Cascade;
    case ReferentialAction::SetNull:
        return Rule::SetNull;
    case ReferentialAction::NoAction:
        break;
    }
    return Rule::None;
}

} // namespace

Key::Key(const Key& other) : m_columns(nullptr)
{
    *this = other;
}

Key& Key::operator=(const Key& other)
{
    if (this == &other) {
        return *this;
    }
    m_name = other.m_name;
    m_type = other.m_type;
    m_relatedTable = other.m_relatedTable;
    m_updateRule = other.m_updateRule;
    m_deleteRule = other.m_deleteRule;
    m_columns.loadNames({});
    for (const Column& column : other.m_columns) {
        m_columns.append(column);
    }
    return *this;
}

KeySchema Key::schema() const
{
    KeySchema schema;
    schema.name = m_name;
    schema.kind = static_cast<KeySchema::Kind>(m_type);
    schema.relatedTable = m_relatedTable;
    bool related = false;
    for (const Column& column : m_columns) {
        schema.columns.append(column.name());
        related = related || !column.relatedColumn().isEmpty();
    }
    // Related columns given for none: the related table's primary key.
    for (const Column& column : m_columns) {
        if (related) {
            schema.relatedColumns.append(column.relatedColumn().isEmpty() ? column.name()
                                                                          : column.relatedColumn());
        }
    }
    schema.onUpdate = action(m_updateRule, m_name);
    schema.onDelete = action(m_deleteRule, m_name);
    return schema;
}

std::unique_ptr<Key> Key::fromSchema(const KeySchema& schema)
{
    auto key = std::make_unique<Key>(schema.name, static_cast<KeyType>(schema.kind));
    key->m_relatedTable = schema.relatedTable;
    for (qsizetype i = 0; i < schema.columns.size(); ++i) {
        key->m_columns.append(schema.columns[i], schema.relatedColumns.value(i));
    }
    key->m_updateRule = rule(schema.onUpdate);
    key->m_deleteRule = rule(schema.onDelete);
    return key;
}

} // namespace jet::adox
