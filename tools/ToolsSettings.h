#pragma once

// What Gorvane knows about its surroundings: its own folder and the database the host used
// last. Read once at start-up; nothing else is kept between repairs.

#include <chrono>
#include <QString>

namespace gorvane {

struct ToolsSettings
{
    // The program's folder with a trailing separator.
    QString programFolder;
    // The main wine database the repairs work on.
    QString databasePath;
    // How long opening the database waits for another program to let go of it.
    std::chrono::milliseconds lockWait{1000};
};

// `folder` with a trailing separator.
QString withTrailingSeparator(const QString& folder);

// The registry's LastDatabase\FullPath; when missing, CSAMPLE.QVD in the folder above the
// program folder (found whatever the case of its name, as the host's file system would).
QString lastDatabasePath(const QString& programFolder);

} // namespace gorvane
