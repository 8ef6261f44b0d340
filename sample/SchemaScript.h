#pragma once

// The old schemas of the installation's databases are Jet DDL scripts kept as resources
// (sample/resources/schema/*.sql), one per database, so that they can be read side by side with
// the update procedures that start from them. This runs one such script on an open connection,
// statement by statement.

#include <QString>

namespace jet {
class Connection;
}

namespace sample {

// The script's text; raises vb::Error when there is no such resource.
QString schemaScript(const QString& name);

// Runs every statement of the script `name` ("main3", "settings3", ...): Jet DDL, and
// "CREATE VIEW name AS SELECT ..." for a stored query. Text and memo columns that may be Null
// then also accept "" (Allow Zero Length), as in the old program's databases; Jet SQL has no
// word for that property. A failing statement raises vb::Error naming the script and quoting
// the statement.
void runSchemaScript(jet::Connection& connection, const QString& name);

} // namespace sample
