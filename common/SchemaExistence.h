#pragma once

// The tests every schema change makes before it adds something: is the table, column or index
// already there? Names are compared exactly (case-sensitive), walking the collection from its
// first item; a missing name is never an error.

#include <QString>

namespace jet::adox {
class Catalog;
class Table;
} // namespace jet::adox

namespace DatabaseHelpers {

bool TableExists(jet::adox::Catalog& catalog, const QString& tableName);
bool ColumnExists(jet::adox::Table& table, const QString& columnName);
bool IndexExists(jet::adox::Table& table, const QString& indexName);
// Whether the catalog holds a view or procedure of exactly that name.
bool StoredQueryExists(jet::adox::Catalog& catalog, const QString& queryName);

} // namespace DatabaseHelpers
