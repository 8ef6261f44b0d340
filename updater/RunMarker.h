#pragma once

// The mark of an update run in progress: a file in the backup folder, written once every backup
// is made and verified, before any database is changed, and removed only when the run has
// finished (successfully, or with every file restored). A run that finds it knows the previous
// run stopped half-way: its files may be half updated and its backups are the only good copies.
// It names the file each backup belongs to (the four databases, and the satellite databases
// the settings chain changes), so that they go back to the same files even if the registry has
// changed since.

#include "common/DatabaseConnections.h"

#include <map>
#include <optional>
#include <QString>

namespace updater {

class RunMarker
{
public:
    static inline const QString fileName = QStringLiteral("update-in-progress");

    // Database file of each kind.
    using Targets = std::map<DatabaseHelpers::DatabaseKind, QString>;
    // Satellite file by the name of its backup file in the backup folder ("auctions.bak").
    using Satellites = std::map<QString, QString>;

    struct Files
    {
        Targets databases;
        Satellites satellites;
    };

    explicit RunMarker(QString backupFolder);

    QString path() const;
    bool exists() const;
    // Written under a temporary name, synced and renamed into place, so it is either complete
    // or absent. Raises vb::Error when it cannot be written.
    void write(const Targets& targets, const Satellites& satellites = {}) const;
    // The files named by the marker. Raises vb::Error for a marker that cannot be read or does
    // not name all four databases.
    Files read() const;
    // Removes the marker and syncs the folder. Raises vb::Error when it cannot be removed.
    void remove() const;

private:
    QString m_backupFolder;
};

} // namespace updater
