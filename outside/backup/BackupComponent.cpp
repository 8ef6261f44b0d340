#include "BackupComponent.h"

#include "common/DatabaseCopy.h"
#include "DatedFolder.h"
#include "outside/tovrak/Installation.h"
#include "PlainFileCopy.h"
#include "platform/shell/Shell.h"
#include "platform/vb/Error.h"

#include <fcntl.h>
#include <limits>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QWidget>
#include <unistd.h>
#include <utility>

namespace backup {

namespace {

const QString errorSource = QStringLiteral("BackupComponent");
constexpr int FileNotFound = 53;
constexpr int PathFileAccessError = 75;
constexpr int PathNotFound = 76;

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QWidget* ownerWidget(qint32 ownerWindow)
{
    return ownerWindow == 0 ? nullptr : QWidget::find(static_cast<WId>(ownerWindow));
}

// The file name in the backup; a second file of the same name gets " (2)" before its suffix.
QString backupName(const QString& path, QSet<QString>& used)
{
    const QFileInfo info(path);
    QString name = info.fileName();
    for (int n = 2; used.contains(name.toLower()); ++n) {
        const QString suffix = info.suffix();
        name = suffix.isEmpty()
                   ? QStringLiteral("%1 (%2)").arg(info.fileName()).arg(n)
                   : QStringLiteral("%1 (%2).%3").arg(info.completeBaseName()).arg(n).arg(suffix);
    }
    used.insert(name.toLower());
    return name;
}

// Removes a backup folder that could not be completed, so no partial backup is mistaken for
// a whole one. Only the fresh folder this backup made is ever removed.
class UnfinishedFolder
{
public:
    explicit UnfinishedFolder(QString path) : m_path(std::move(path)) {}
    ~UnfinishedFolder()
    {
        if (!m_finished)
            QDir(m_path).removeRecursively();
    }
    UnfinishedFolder(const UnfinishedFolder&) = delete;
    UnfinishedFolder& operator=(const UnfinishedFolder&) = delete;
    void finished() noexcept { m_finished = true; }

private:
    QString m_path;
    bool m_finished = false;
};

void syncFolder(const QString& folder)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!synced)
        throw vb::Error(PathFileAccessError,
                        QStringLiteral("The backup folder '%1' could not be written to disk. "
                                       "Check the disk and try again.")
                            .arg(shown(folder)),
                        errorSource);
}

qint16 resultNumber(int number)
{
    // Every failure must read as one: neither "done" (-1) nor "cancelled" (0).
    if (number <= 0 || number > std::numeric_limits<qint16>::max())
        return PathFileAccessError;
    return static_cast<qint16>(number);
}

} // namespace

BackupComponent::BackupComponent() : BackupComponent(outside::Installation::registeredToolsFolder())
{
}

BackupComponent::BackupComponent(QString toolsFolder)
    : m_toolsFolder(std::move(toolsFolder)), m_clock([] { return QDateTime::currentDateTime(); })
{
}

void BackupComponent::setTargetFolder(const QString& folder)
{
    m_targetFolder = folder;
}

void BackupComponent::setClock(std::function<QDateTime()> clock)
{
    m_clock = std::move(clock);
}

qint16 BackupComponent::backupUserFiles(qint32 ownerWindow, const QString& prompt, QString& message)
{
    message.clear();
    QString folder = std::exchange(m_targetFolder, QString());
    if (folder.isEmpty()) {
        folder = shell::getExistingDirectory(ownerWidget(ownerWindow), prompt, QDir::homePath());
        if (folder.isEmpty())
            return userCancelled;
    }
    try {
        m_lastBackupFolder = writeBackup(folder);
        message = QStringLiteral("Your data files were backed up to '%1'.")
                      .arg(shown(m_lastBackupFolder));
        return backupMade;
    } catch (const vb::Error& error) {
        message = error.description() + QStringLiteral(" No backup was made.");
        return resultNumber(error.number());
    }
}

QString BackupComponent::writeBackup(const QString& chosenFolder) const
{
    const QFileInfo chosen(chosenFolder);
    if (!chosen.isDir())
        throw vb::Error(PathNotFound,
                        QStringLiteral("The folder '%1' chosen for the backup does not exist. "
                                       "Choose an existing folder.")
                            .arg(shown(chosenFolder)),
                        errorSource);

    const outside::Installation installation(m_toolsFolder);
    const std::vector<QString> databases = installation.databases();
    for (const QString& path : databases) {
        if (!QFileInfo(path).isFile())
            throw vb::Error(FileNotFound,
                            QStringLiteral("The data file '%1' could not be found. Check that it "
                                           "has not been moved, renamed or deleted.")
                                .arg(shown(path)),
                            errorSource);
    }

    const QString folder = createDatedFolder(chosen.absoluteFilePath(), m_clock());
    UnfinishedFolder unfinished(folder);
    QSet<QString> used;
    for (const QString& path : databases)
        dbfile::copyDatabase(path, QDir(folder).filePath(backupName(path, used)));
    for (const outside::DataFile& satellite : installation.satellites()) {
        if (!QFileInfo(satellite.path).isFile())
            continue; // not every installation has them
        const QString target = QDir(folder).filePath(backupName(satellite.path, used));
        if (satellite.isDatabase)
            dbfile::copyDatabase(satellite.path, target);
        else
            copyPlainFile(satellite.path, target);
    }
    syncFolder(folder);
    syncFolder(chosen.absoluteFilePath());
    unfinished.finished();
    return folder;
}

} // namespace backup
