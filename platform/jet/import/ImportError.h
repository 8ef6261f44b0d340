#pragma once

// The importer's errors: each names the Jet file and, where there is one, the table.

#include "platform/jet/Error.h"

#include <QString>

namespace jet::importer {

inline const QString importSource = QStringLiteral("qvimport");

// "Cannot import <file> (table <table>): <reason>"
jet::Error importError(const QString& file, const QString& table, const QString& reason);

} // namespace jet::importer
