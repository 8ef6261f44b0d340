#pragma once

// Where an installation keeps what the update run works on: the tools folder, the four
// databases, the satellite databases the settings chain changes, and their backup files.

#include "common/DatabaseConnections.h"

#include <QString>
#include <vector>

namespace updater {

using DatabaseHelpers::DatabaseKind;

// A database beside the four that an update chain changes, and the name of its backup file.
struct SatelliteFile
{
    QString path;
    QString backupName;
};

class Installation
{
public:
    // Registry "Application"/"FullPath" + "/Tools", or `programFolder` when the value is empty;
    // always with a trailing separator.
    static QString findToolsFolder(const QString& programFolder);

    explicit Installation(QString toolsFolder);

    const QString& toolsFolder() const noexcept { return m_toolsFolder; }
    // tools folder + "Backup"
    QString backupFolder() const;
    // Main and language databases from the registry ("LastDatabase"/"FullPath",
    // "LanguageDB"/"FullPath"), defaulting to csample.qvd and english.lan in the installation
    // folder; settings.dat and weblinks.dat always there.
    QString databasePath(DatabaseKind kind) const;
    // winedata.bak, settings.bak, language.bak, weblinks.bak in the backup folder.
    QString backupPath(DatabaseKind kind) const;
    // printlabels.dat (settings updates 12 and 13) and Auctions.dat (update 18) in the
    // installation folder, whether they exist or not; backed up as printlabels.bak and
    // auctions.bak.
    std::vector<SatelliteFile> satelliteFiles() const;
    // A file of that name in the backup folder.
    QString backupPath(const QString& backupName) const;
    // tools folder + the compaction program.
    QString compactionProgram() const;

private:
    // tools folder + ".." + name, as one clean path.
    QString besideTools(const QString& name) const;

    QString m_toolsFolder;
};

} // namespace updater
