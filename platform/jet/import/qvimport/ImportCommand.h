#pragma once

// The qvimport command line:
//   qvimport [--password P] [--report FILE] JETFILE NEWFILE   a Jet file into a new database
//   qvimport [--password P] [--report FILE] --install DIR     an installation's databases in place
// The report goes to standard output (and to FILE); errors to standard error.
// Exit status: 0 imported, 1 failed, 64 bad options.

#include <QStringList>
#include <QTextStream>

namespace jet::importer {

int runImportCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace jet::importer
