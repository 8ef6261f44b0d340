#pragma once

// The update run: it finds the user's four databases, has the user's data backed up, makes a
// verified backup of each database and of the satellite databases the chains change, reads the
// versions, runs the update chains that apply and hands over to the compaction program. Any
// failure puts every backed-up file back as it was.
//
// What the run guarantees beyond that:
// - one run at a time per installation (InstanceLock);
// - nothing is changed while a database is locked by another program, nor before every backup
//   is verified, nor when a file cannot be written or a disk lacks the room for the run
//   (RunPreconditions);
// - a run stopped at any moment (even killed) is undone by the next run, which restores the
//   backups its predecessor left (RunMarker) before it does anything else, and never replaces
//   those good backups with half-updated files.

#include "frmMain.h"
#include "Installation.h"
#include "InstanceLock.h"
#include "RunMarker.h"
#include "RunPreconditions.h"
#include "RunState.h"
#include "UpdateChains.h"
#include "UserFilesBackup.h"

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <QString>

namespace updater {

struct RunOptions
{
    // The whole command line: exactly "restart" is passed on to the compaction program.
    QString commandLine;
    // The updater's own folder: the tools folder when the registry names no installation.
    QString programFolder;
    // Unattended runs: the backup goes to this folder without asking, and a backup that fails
    // ends the run before any change.
    std::optional<QString> backupFolder;
    // The update procedures to run; none unless given (the program passes
    // UpdateChains::standard(), tests the chains they exercise).
    UpdateChains chains;
    UserFilesBackupFactory backupFactory;
    // How long a database may stay locked by another program before the run gives up.
    std::chrono::milliseconds lockWait{2000};
    // How much a file system can still take (tests pretend a full disk).
    FreeSpace freeSpace = freeBytes;
};

// How a run ended; the unattended program's exit status.
enum class RunOutcome
{
    Updated = 0,        // databases current, compaction program started, backups deleted
    Failed = 1,         // nothing changed, or every database restored from its backup
    RestoreFailed = 2,  // a database could not be restored; the backups are kept
    NotCompacted = 3,   // updated, but the compaction program could not be started
    AlreadyRunning = 4, // another run is working on this installation
    Cancelled = 5,      // the user chose not to go on; nothing was changed
};

class UpdateDriver
{
public:
    UpdateDriver(frmMain& window, RunOptions options);
    ~UpdateDriver();
    UpdateDriver(const UpdateDriver&) = delete;
    UpdateDriver& operator=(const UpdateDriver&) = delete;

    // The whole run, from showing the window to closing it.
    RunOutcome run();

    RunState& state() noexcept { return m_state; }

private:
    RunOutcome runSteps();
    void prepareToolsFolder();
    bool recoverInterruptedRun();
    bool askForUserBackup();
    void backUpAndOpen();
    void backUpAndOpen(DatabaseKind kind);
    void backUpSatellites();
    void checkRoomToWork() const;
    void readVersions();
    void reportUnknownVersions();
    void markRunInProgress();
    bool runChains();
    RunOutcome succeed();
    RunOutcome fail();
    // Restores every file of `files` from its backup, going on after a failure; false when any
    // could not be restored, with the reasons in `problems`.
    bool restoreAll(const RunMarker::Files& files, QString& problems);
    void removeBackups();
    void endRun() noexcept;

    frmMain& m_window;
    RunOptions m_options;
    RunState m_state;
    std::optional<Installation> m_installation;
    std::optional<RunMarker> m_marker;
    InstanceLock m_lock;
    std::unique_ptr<UserFilesBackup> m_backup;
    RunMarker::Targets m_targets;
    RunMarker::Satellites m_satellites; // those that exist, by the name of their backup
    std::map<DatabaseKind, std::int16_t> m_versions;
    bool m_markerWritten = false; // databases may have changed since
};

} // namespace updater
