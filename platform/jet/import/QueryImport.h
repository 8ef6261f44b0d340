#pragma once

// Carrying a Jet file's stored queries into the new database through its ADOX catalog, as
// queries made through the catalog are kept: SELECT and UNION queries that declare no
// parameters become views, the others (action queries, parameter queries) procedures. Every
// query is then verified on the imported tables: one that returns rows is run to its last row
// (any value it asks for given as Null), an action query is compiled against the tables
// without being run. A query that cannot be written as Jet SQL, that the engine refuses, or
// that fails its verification is left out and reported with the reason; the import goes on.
// The hidden record sources of forms and reports are not carried over.

#include "platform/jet/import/ImportReport.h"
#include "platform/jet/import/SourceQueries.h"

#include <QList>

namespace jet {
class Connection;
}

namespace jet::importer {

// Adds what was carried over and what was left behind to `report`.
void importStoredQueries(Connection& connection, const QList<SourceQuery>& queries,
                         ImportReport& report);

} // namespace jet::importer
