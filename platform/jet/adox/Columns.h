#pragma once

// The columns of a table, or of an index or key. Appending to the columns of an appended table
// adds the column to the table at once; removing drops it.

#include "Collection.h"
#include "Column.h"

namespace jet::adox {

class Table;

class Columns : public Collection<Column>
{
public:
    // `table`: the table whose columns these are; nullptr for index and key columns.
    explicit Columns(Table* table) : Collection(QStringLiteral("ADOX.Columns")), m_table(table) {}

    Column& append(const QString& name, DataType type = DataType::VarWChar, int definedSize = 0);
    Column& append(const Column& column);
    // Index and key columns: the column and, for a foreign key, its related column.
    Column& append(const QString& name, const QString& relatedColumn);
    void remove(const QString& name);

    // The columns the engine describes, keeping the objects of columns already held.
    void load(const QList<ColumnSchema>& columns);
    void loadNames(const QStringList& names);

private:
    Table* m_table;
};

} // namespace jet::adox
