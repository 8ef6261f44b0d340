#pragma once

// The database version field of a line of the file tree: the Version stored in the file's
// tblDBVer, or the text of the step that failed.

#include <QString>

class clsADOHelper;

namespace analyser {

inline const QString kCannotOpenDatabase = QStringLiteral("Cannot open database");
inline const QString kCannotOpenVersionTable = QStringLiteral("Cannot open version table");

// Whether the file (its upper-cased name) is one of the suite's databases: *.QVD, *.LAN,
// *.ENC, SETTINGS.DAT, WEBLINKS.DAT and TEMPLATE.TDB. Other .DAT and .TDB files are not.
bool isDatabaseFile(const QString& upperCasePath);

// Opens the database (clearing its read-only attribute) and reads Version from the first row
// of tblDBVer. A database that cannot be opened gives "Cannot open database", one whose
// version table is missing, empty or unreadable "Cannot open version table". Raises
// DatabaseEngineMissing when there is no engine at all.
QString databaseVersionText(const QString& path, const clsADOHelper& helper);

} // namespace analyser
