#pragma once

// An ADOX column: of a table (name, type, defined size, provider properties), or of an index or
// key (name, sort order, related column). Provider properties ("Nullable", "Jet OLEDB:Allow
// Zero Length", "AutoIncrement", "Default") can be reached once the column belongs to a
// catalog: attached with setParentCatalog() or read from an appended table. On a column of an
// appended table, setting a property changes the table at once.

#include "jet/DataType.h"
#include "jet/schema/TableSchema.h"
#include "vb/Variant.h"

#include <QString>

namespace jet::adox {

class Catalog;
class Table;

enum class SortOrder
{
    Ascending = 1,
    Descending = 2,
};

// ColumnAttributesEnum
enum ColumnAttributes
{
    Fixed = 1,
    Nullable = 2,
};

class Column
{
public:
    Column() { m_schema.nullable = false; }
    explicit Column(QString name, DataType type = DataType::VarWChar, int definedSize = 0);

    QString name() const { return m_schema.name; }
    void setName(const QString& name);
    DataType type() const { return m_type; }
    void setType(DataType type);
    int definedSize() const { return m_definedSize; }
    void setDefinedSize(int size);
    // Decimal columns: digits in all (1 to 28) and digits after the decimal point.
    int precision() const { return m_schema.precision; }
    void setPrecision(int precision);
    int numericScale() const { return m_schema.scale; }
    void setNumericScale(int scale);
    int attributes() const;
    void setAttributes(int attributes);

    Catalog* parentCatalog() const { return m_catalog; }
    void setParentCatalog(Catalog* catalog) { m_catalog = catalog; }

    vb::Variant property(const QString& name) const;
    void setProperty(const QString& name, const vb::Variant& value);

    // Index and key columns.
    SortOrder sortOrder() const { return m_sortOrder; }
    void setSortOrder(SortOrder order) { m_sortOrder = order; }
    QString relatedColumn() const { return m_relatedColumn; }
    void setRelatedColumn(const QString& name) { m_relatedColumn = name; }

    // The engine's description of this table column; raises for a type Jet has no column of.
    ColumnSchema schema() const;
    static Column fromSchema(const ColumnSchema& schema);
    // Binds the column to the appended table it belongs to (nullptr: a free column).
    void setTable(Table* table) { m_table = table; }

private:
    void requireProperties(const QString& name) const;
    void changed();

    ColumnSchema m_schema; // ADOX columns are required unless made Nullable
    DataType m_type = DataType::VarWChar;
    int m_definedSize = 0;
    Catalog* m_catalog = nullptr;
    Table* m_table = nullptr;
    SortOrder m_sortOrder = SortOrder::Ascending;
    QString m_relatedColumn;
};

} // namespace jet::adox
