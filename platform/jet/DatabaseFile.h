#pragma once

// Database files: making a new one, and the checks made before a file is opened.

#include <QString>

namespace jet {

// Makes a new, empty database at `path` carrying `password` (see DatabasePassword.h). Fails with
// "Database already exists." when anything is at that path (it is never replaced), and leaves
// nothing behind when it fails half-way.
void createDatabase(const QString& path, const QString& password);

// Raises the engine's error when `path` is not an existing file that starts like a database
// ("Could not find file", "Unrecognized database format", "cannot open the file"). Reads only.
void checkDatabaseFile(const QString& path);

} // namespace jet
