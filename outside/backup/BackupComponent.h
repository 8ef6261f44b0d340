#pragma once

// The host's backup component, as the updater uses it before it changes any database: it asks
// the user for a folder and copies the user's data files into a new, dated sub-folder of it.
//
// Files copied: the four databases (main wine database, settings, language, weblinks; found as
// the updater finds them, see outside/tovrak/Installation.h), and the satellites printlabels.dat
// and Auctions.dat (databases) and rates.dat (text) when they exist. Databases are copied with
// dbfile::copyDatabase, so rows still in a write-ahead log are included. The sub-folder is
// named "Quorvex Backup yyyy-mm-dd hh.mm.ss" (with " (2)", " (3)", ... when that name is taken);
// an existing folder is never written into. A backup that fails half-way is removed again, so
// a backup folder that exists is always complete.

#include <functional>
#include <QDateTime>
#include <QString>

namespace backup {

class BackupComponent
{
public:
    static constexpr qint16 backupMade = -1;
    static constexpr qint16 userCancelled = 0;

    // The installation whose tools folder the registry names, as the updater finds it.
    BackupComponent();
    explicit BackupComponent(QString toolsFolder);

    // Asks for the folder (a folder dialog titled `prompt`, owned by the window `ownerWindow`),
    // unless setTargetFolder() named one, and backs up. Returns backupMade with a confirmation
    // naming the backup folder in `message`, userCancelled when the dialog was cancelled
    // (`message` empty), or an error number with what failed, which file and what to do.
    qint16 backupUserFiles(qint32 ownerWindow, const QString& prompt, QString& message);

    // The next backupUserFiles() writes below `folder` without asking.
    void setTargetFolder(const QString& folder);

    // The dated folder of the last backup made; empty before the first.
    const QString& lastBackupFolder() const noexcept { return m_lastBackupFolder; }

    // Where the time in the folder name comes from (the local time, unless replaced).
    void setClock(std::function<QDateTime()> clock);

private:
    QString writeBackup(const QString& chosenFolder) const;

    QString m_toolsFolder;
    QString m_targetFolder;
    QString m_lastBackupFolder;
    std::function<QDateTime()> m_clock;
};

} // namespace backup
