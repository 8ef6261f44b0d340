#include "UpdateDriver.h"

#include "common/DatabaseConnection.h"
#include "common/DatabaseCopy.h"
#include "common/DatabaseVersion.h"
#include "common/Registry_Management.h"
#include "common/ShowProgress.h"
#include "DatabaseInUse.h"
#include "platform/jet/Error.h"
#include "platform/jet/import/JetFileHeader.h"
#include "platform/shell/Shell.h"
#include "platform/vb/Error.h"
#include "UpdaterTexts.h"

#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace updater {

namespace {

using DatabaseHelpers::allDatabaseKinds;

const QString source = QStringLiteral("Travone");
const QString crlf = QStringLiteral("\r\n");

// The order in which the databases are backed up and opened.
constexpr std::array<DatabaseKind, 4> backupOrder{DatabaseKind::Main, DatabaseKind::Language,
                                                  DatabaseKind::Settings, DatabaseKind::Weblinks};
// The order of the update chains.
constexpr std::array<DatabaseKind, 3> chainOrder{DatabaseKind::Main, DatabaseKind::Settings,
                                                 DatabaseKind::Weblinks};

int message(const QString& text, int style)
{
    return shell::msgBox(text, style, texts::Caption);
}

// The same error with the database it concerns named in its description.
vb::Error aboutDatabase(const vb::Error& error, DatabaseKind kind, const QString& path)
{
    return vb::Error(
        error.number(),
        QStringLiteral("%1 (%2 %3)")
            .arg(error.description(), DatabaseHelpers::databaseDescription(kind), path),
        error.source());
}

// How the satellite databases are named in messages.
const QString satelliteDescription = u"database"_s;

void addProblem(QString& problems, const QString& description, const QString& target,
                const QString& backup, const QString& reason)
{
    problems += (problems.isEmpty() ? QString() : crlf) +
                QStringLiteral("The %1 %2 could not be restored from %3: %4")
                    .arg(description, target, backup, reason);
}

// Restores one file; false with the reason added to `problems` when it could not be.
bool restoreFile(const QString& backup, const QString& target, const QString& description,
                 QString& problems)
{
    try {
        dbfile::restoreDatabase(backup, target);
        return true;
    } catch (const vb::Error& error) {
        addProblem(problems, description, target, backup, error.description());
    } catch (const std::exception& error) {
        addProblem(problems, description, target, backup, QString::fromLocal8Bit(error.what()));
    }
    return false;
}

bool isExecutable(const QString& program)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(program).constData(), X_OK, AT_EACCESS) == 0;
}

} // namespace

UpdateDriver::UpdateDriver(frmMain& window, RunOptions options)
    : m_window(window), m_options(std::move(options))
{
}

UpdateDriver::~UpdateDriver() = default;

RunOutcome UpdateDriver::run()
{
    const DatabaseHelpers::ProgressLine progress(
        [this](const QString& text) { m_window.showProgressText(text); });
    m_window.setRunning(true);
    RunOutcome outcome = RunOutcome::Failed;
    try {
        outcome = runSteps();
    } catch (const vb::Error& error) {
        m_state.recordError(error);
        outcome = fail();
    } catch (const std::exception& error) {
        m_state.recordError(QString::fromLocal8Bit(error.what()), source);
        outcome = fail();
    }
    endRun();
    return outcome;
}

RunOutcome UpdateDriver::runSteps()
{
    m_window.showAndPaint();
    prepareToolsFolder();
    if (!m_lock.tryAcquire(m_installation->toolsFolder())) {
        message(texts::alreadyRunning(m_installation->toolsFolder()),
                shell::vbOKOnly | shell::vbExclamation);
        return RunOutcome::AlreadyRunning;
    }
    if (m_marker->exists() && !recoverInterruptedRun())
        return RunOutcome::RestoreFailed;

    message(texts::WillConvert, shell::vbOKOnly | shell::vbInformation);
    shell::setMousePointer(shell::vbHourglass);
    m_state.databasesClosed = false;
    if (!askForUserBackup())
        return RunOutcome::Cancelled;

    backUpAndOpen();
    readVersions();
    markRunInProgress();
    if (!runChains())
        return fail();
    return succeed();
}

void UpdateDriver::prepareToolsFolder()
{
    m_installation.emplace(Installation::findToolsFolder(m_options.programFolder));
    m_state.toolsFolder = m_installation->toolsFolder();
    if (!QDir::setCurrent(m_state.toolsFolder))
        throw vb::Error(vb::ErrorNumber::PathNotFound,
                        QStringLiteral("The tools folder %1 does not exist. Check the "
                                       "installation folder in the registry (section "
                                       "\"Application\", value \"FullPath\").")
                            .arg(m_state.toolsFolder),
                        source);
    m_state.productKeyPath = Registry_Management::ProductKeyPath();
    m_marker.emplace(m_installation->backupFolder());
}

// A previous run stopped half-way: its databases may be half updated, and its backups are the
// only good copies. They go back first; only then may new backups be made.
bool UpdateDriver::recoverInterruptedRun()
{
    const RunMarker::Files files = m_marker->read();
    for (const auto& [kind, path] : files.databases)
        checkNotInUse(kind, path, m_options.lockWait);
    for (const auto& [backupName, path] : files.satellites)
        checkNotInUse(satelliteDescription, path, m_options.lockWait);
    QString problems;
    if (!restoreAll(files, problems)) {
        message(texts::restoreFailed(problems, source), shell::vbOKOnly | shell::vbCritical);
        return false;
    }
    m_marker->remove();
    message(texts::interruptedRunRestored(), shell::vbOKOnly | shell::vbInformation);
    return true;
}

bool UpdateDriver::askForUserBackup()
{
    m_backup = m_options.backupFactory(m_state.toolsFolder);
    if (m_options.backupFolder)
        m_backup->setTargetFolder(*m_options.backupFolder);
    QString text;
    const qint16 result =
        m_backup->backupUserFiles(static_cast<qint32>(m_window.winId()), texts::BackupPrompt, text);
    if (result == UserFilesBackup::BackupMade)
        return true;
    if (result == UserFilesBackup::Cancelled)
        return message(texts::BackupCancelled, shell::vbYesNo | shell::vbQuestion) == shell::vbYes;
    // The backup was asked for on the command line: nobody is there to decide to go on without.
    if (m_options.backupFolder)
        throw vb::Error(result, texts::requestedBackupFailed(*m_options.backupFolder, result, text),
                        source);
    return message(texts::backupFailed(result, text), shell::vbYesNo | shell::vbExclamation) ==
           shell::vbYes;
}

void UpdateDriver::backUpAndOpen()
{
    const QString backupFolder = m_installation->backupFolder();
    if (!QDir().mkpath(backupFolder))
        throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                        QStringLiteral("The backup folder %1 cannot be created. Check that the "
                                       "tools folder can be written to.")
                            .arg(backupFolder),
                        source);
    for (const DatabaseKind kind : allDatabaseKinds)
        m_targets[kind] = m_installation->databasePath(kind);
    m_state.mainDatabasePath = m_targets.at(DatabaseKind::Main);
    // An installation brought over from Windows still holds Access files: say how to import them.
    for (const DatabaseKind kind : backupOrder)
        if (jet::importer::isJetFile(m_targets.at(kind)))
            throw vb::Error(jet::ErrorNumber::Unspecified,
                            jet::importer::jetFileAdvice(m_targets.at(kind)), source);

    // Nothing is copied while another program is changing any of the databases.
    for (const DatabaseKind kind : backupOrder)
        checkNotInUse(kind, m_targets.at(kind), m_options.lockWait);
    for (const SatelliteFile& satellite : m_installation->satelliteFiles()) {
        if (!QFileInfo::exists(satellite.path))
            continue; // the update that needs it fails, and there is nothing to put back
        checkNotInUse(satelliteDescription, satellite.path, m_options.lockWait);
        m_satellites[satellite.backupName] = satellite.path;
    }
    checkRoomToWork();
    for (const DatabaseKind kind : backupOrder)
        backUpAndOpen(kind);
    backUpSatellites();
    m_state.backupsMade = true;
}

// A run that could not write a file, or that fills a disk, would stop half-way and might not
// be able to put the backups back: it does not start.
void UpdateDriver::checkRoomToWork() const
{
    std::vector<FileToChange> files;
    for (const DatabaseKind kind : backupOrder)
        files.push_back({DatabaseHelpers::databaseDescription(kind), m_targets.at(kind)});
    for (const auto& [backupName, path] : m_satellites)
        files.push_back({satelliteDescription, path});
    checkCanBeWritten(files, m_installation->backupFolder());
    checkFreeSpace(files, m_installation->backupFolder(), m_options.freeSpace);
}

void UpdateDriver::backUpSatellites()
{
    for (const auto& [backupName, path] : m_satellites)
        dbfile::copyDatabase(path, m_installation->backupPath(backupName));
}

void UpdateDriver::markRunInProgress()
{
    // From here on the databases may change: a run that stops now must be undone by the next.
    m_marker->write(m_targets, m_satellites);
    m_markerWritten = true;
}

void UpdateDriver::backUpAndOpen(DatabaseKind kind)
{
    const QString& path = m_targets.at(kind);
    dbfile::copyDatabase(path, m_installation->backupPath(kind));
    std::unique_ptr<jet::Connection>& connection = m_state.connections.slot(kind);
    connection = std::make_unique<jet::Connection>();
    // The main wine database is opened with its errors suppressed, the others raise them; a
    // failed open stops the run either way.
    DatabaseHelpers::OpenDatabase(*connection, path, kind != DatabaseKind::Main);
    if (!connection->errors().isEmpty()) {
        const jet::ErrorItem& first = connection->errors().item(0);
        throw aboutDatabase(vb::Error(first.number, first.description, first.source), kind, path);
    }
}

void UpdateDriver::readVersions()
{
    for (const DatabaseKind kind : {DatabaseKind::Main, DatabaseKind::Settings,
                                    DatabaseKind::Language, DatabaseKind::Weblinks}) {
        try {
            m_versions[kind] = DatabaseHelpers::ReadDBVersion(m_state.connection(kind));
        } catch (const vb::Error& error) {
            throw aboutDatabase(error, kind, m_targets.at(kind));
        }
    }
    reportUnknownVersions();
}

// A database at a version no chain starts from nor ends at is left alone, but not silently.
void UpdateDriver::reportUnknownVersions()
{
    for (const DatabaseKind kind : chainOrder) {
        const std::int16_t version = m_versions.at(kind);
        const std::optional<UpdateChains::VersionRange> known =
            m_options.chains.knownVersions(kind);
        if (!known || (version >= known->oldest && version <= known->current))
            continue;
        message(texts::unknownVersion(DatabaseHelpers::databaseDescription(kind),
                                      m_targets.at(kind), version, known->oldest, known->current),
                shell::vbOKOnly | shell::vbExclamation);
    }
}

bool UpdateDriver::runChains()
{
    for (const DatabaseKind kind : chainOrder) {
        if (const UpdateProcedure* first = m_options.chains.firstUpdate(kind, m_versions.at(kind)))
            (*first)(m_state);
        if (m_state.hasError())
            return false;
    }
    return true;
}

RunOutcome UpdateDriver::succeed()
{
    m_window.cmdOK().setEnabled(true);
    shell::setMousePointer(shell::vbDefault);
    m_state.connections.closeAll();
    // The databases are complete: a run that stops from here on has nothing to undo.
    m_marker->remove();
    m_markerWritten = false;
    m_state.databasesClosed = true;

    const QString program = m_installation->compactionProgram();
    QStringList arguments;
    if (m_options.commandLine == QStringLiteral("restart"))
        arguments << m_options.commandLine;
    if (!shell::startProcess(program, arguments))
        throw vb::Error(
            vb::ErrorNumber::FileNotFound,
            QStringLiteral("The compaction program %1 could not be started.").arg(program), source);
    DatabaseHelpers::ShowProgress(0, QString(), 0, true);
    removeBackups();
    return RunOutcome::Updated;
}

void UpdateDriver::removeBackups()
{
    for (const DatabaseKind kind : allDatabaseKinds)
        QFile::remove(m_installation->backupPath(kind));
    for (const auto& [backupName, path] : m_satellites)
        QFile::remove(m_installation->backupPath(backupName));
}

RunOutcome UpdateDriver::fail()
{
    if (m_state.databasesClosed) {
        const QString program = m_installation->compactionProgram();
        message(QFileInfo::exists(program) && !isExecutable(program)
                    ? texts::compactionNotRunnable(QDir::toNativeSeparators(program),
                                                   u"it is not executable"_s)
                    : texts::compactionNotStarted(),
                shell::vbOKOnly | shell::vbCritical);
        return RunOutcome::NotCompacted;
    }
    m_state.connections.closeAll();
    shell::doEvents();
    if (m_markerWritten) {
        QString problems;
        if (!restoreAll({m_targets, m_satellites}, problems)) {
            message(texts::restoreFailed(m_state.errorText + crlf + problems, m_state.errorSource),
                    shell::vbOKOnly | shell::vbCritical);
            return RunOutcome::RestoreFailed;
        }
        try {
            m_marker->remove();
            m_markerWritten = false;
        } catch (const vb::Error&) {
            // The next run restores the same backups once more, which changes nothing.
        }
    }
    message(texts::severeDatabaseError(m_state.errorText, m_state.errorSource),
            shell::vbOKOnly | shell::vbCritical);
    return RunOutcome::Failed;
}

bool UpdateDriver::restoreAll(const RunMarker::Files& files, QString& problems)
{
    bool restored = true;
    for (const DatabaseKind kind : backupOrder)
        restored &= restoreFile(m_installation->backupPath(kind), files.databases.at(kind),
                                DatabaseHelpers::databaseDescription(kind), problems);
    for (const auto& [backupName, path] : files.satellites)
        restored &= restoreFile(m_installation->backupPath(backupName), path, satelliteDescription,
                                problems);
    return restored;
}

void UpdateDriver::endRun() noexcept
{
    m_state.connections.closeAll();
    m_backup.reset();
    shell::setMousePointer(shell::vbDefault);
    m_window.setRunning(false);
    m_window.close();
    m_lock.release();
}

} // namespace updater
