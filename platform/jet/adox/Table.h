#pragma once

// An ADOX table. A new table collects its columns, indexes and keys until it is appended to a
// catalog's Tables; from then on it stands for the table in the database: its collections show
// what the database holds, and appending or removing columns, indexes and keys changes the
// table at once.

#include "Columns.h"
#include "Indexes.h"
#include "Keys.h"

#include <QString>

namespace jet::adox {

class Catalog;

class Table
{
public:
    Table();
    explicit Table(QString name);
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    QString name() const { return m_name; }
    // Raises once the table is appended (Jet tables are not renamed here).
    void setName(const QString& name);
    QString type() const { return QStringLiteral("TABLE"); }
    Columns& columns();
    Indexes& indexes();
    Keys& keys();
    Catalog* parentCatalog() const { return m_catalog; }
    bool isAppended() const { return m_catalog != nullptr; }

    // For the catalog and the collections.
    TableSchema schema() const;
    void attach(Catalog* catalog);
    void addColumn(const Column& column);
    void dropColumn(const QString& name);
    void columnChanged(const Column& column);
    void addIndex(const Index& index);
    void dropIndex(const QString& name);
    void addKey(const Key& key);
    void dropKey(const QString& name);

private:
    void refresh();

    QString m_name;
    Catalog* m_catalog = nullptr;
    Columns m_columns;
    Indexes m_indexes;
    Keys m_keys;
    qint64 m_loaded = -1; // the schema generation the collections show
};

} // namespace jet::adox
