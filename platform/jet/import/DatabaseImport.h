#pragma once

// Importing one Jet database into a new database of ours. The Jet file is only read. The new
// file is made through the engine (tables, indexes and relationships through its schema
// editor, the same one Jet SQL DDL and ADOX use), filled, given the file's stored queries
// (see QueryImport.h: each one verified on the imported tables, those that cannot be carried
// over reported), and then verified: every table's row count and a digest of its rows read
// back through a connection of the engine must equal the rows read from the Jet file. Any failure -
// a damaged file, a wrong password, a page that cannot be decoded, a verification that does not
// hold - raises an error naming the file and the table, and leaves no new file behind.

#include "platform/jet/import/ImportReport.h"

#include <QString>

namespace jet::importer {

struct ImportOptions
{
    // The database password given for the Jet file; empty means the suite's own.
    QString password;
};

// Makes `targetPath` (which must not exist) from the Jet file at `jetPath`. The new database
// carries the Jet file's password, or the suite's own when the file had none.
ImportReport importJetDatabase(const QString& jetPath, const QString& targetPath,
                               const ImportOptions& options = {});

} // namespace jet::importer
