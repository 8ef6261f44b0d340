#include "Installation.h"

#include "CellarWriter.h"
#include "ExchangeRates.h"
#include "jet/Connection.h"
#include "jet/ConnectionString.h"
#include "jet/DatabaseFile.h"
#include "LabelPictures.h"
#include "LanguageWriter.h"
#include "Registration.h"
#include "SampleRandom.h"
#include "SchemaScript.h"
#include "SettingsWriter.h"
#include "vb/Error.h"
#include "WebLinksWriter.h"

#include <functional>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace sample {

namespace {

const QString source = QStringLiteral("sample");

vb::Error installationError(int number, const QString& message)
{
    return vb::Error(number, message, source);
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Label pictures are shared by the vintages of one wine; a benchmark cellar needs no more
// than this many to show what a real one looks like.
int labelPictureLimit(int wines)
{
    return std::min(400, std::max(20, wines / 4));
}

void checkOptions(const InstallationOptions& options)
{
    if (options.wines < 1 || options.wines > InstallationOptions::maximumWines) {
        throw installationError(
            vb::ErrorNumber::InvalidProcedureCall,
            QStringLiteral("The number of wines must be between 1 and %1; %2 was asked for.")
                .arg(InstallationOptions::maximumWines)
                .arg(options.wines));
    }
}

// Makes sure the folder exists and is empty; true when this made it.
bool prepareFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir()) {
        throw installationError(vb::ErrorNumber::PathFileAccessError,
                                QStringLiteral("'%1' is a file, not a folder. Name a new or "
                                               "empty folder for the sample installation.")
                                    .arg(native(folder)));
    }
    if (info.exists()) {
        const QDir dir(folder);
        if (!dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
            throw installationError(vb::ErrorNumber::FileAlreadyExists,
                                    QStringLiteral("The folder '%1' is not empty. The sample "
                                                   "installation is only written into a new or "
                                                   "empty folder, so that nothing is overwritten; "
                                                   "name another folder or empty this one.")
                                        .arg(native(folder)));
        }
        return false;
    }
    if (!QDir().mkpath(folder)) {
        throw installationError(vb::ErrorNumber::PathNotFound,
                                QStringLiteral("Could not make the folder '%1'. Check that its "
                                               "parent exists and can be written.")
                                    .arg(native(folder)));
    }
    return true;
}

// Removes what a failed run left in the folder.
void cleanUp(const QString& folder, bool madeFolder)
{
    QDir dir(folder);
    if (madeFolder) {
        dir.removeRecursively();
        return;
    }
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            QDir(entry.absoluteFilePath()).removeRecursively();
        } else {
            QFile::remove(entry.absoluteFilePath());
        }
    }
}

// Makes the database file, runs its old schema script and fills it in one transaction.
void writeDatabase(const QString& path, const QString& script,
                   const std::function<void(jet::Connection&)>& fill)
{
    jet::createDatabase(path, databasePassword);
    jet::Connection connection;
    connection.open(connectionString(path));
    try {
        // Schema and rows in one transaction: one sync to disk per database.
        connection.beginTrans();
        runSchemaScript(connection, script);
        fill(connection);
        connection.commitTrans();
    } catch (const vb::Error& error) {
        connection.close();
        throw installationError(
            error.number(),
            QStringLiteral("Writing %1 failed: %2").arg(native(path), error.description()));
    }
    connection.close();
}

void writeTextFile(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        throw installationError(
            vb::ErrorNumber::PathFileAccessError,
            QStringLiteral("Could not write '%1': %2").arg(native(path), file.errorString()));
    }
}

QStringList copyPrograms(const QString& programFolder, const QString& tools)
{
    QStringList copied;
    if (programFolder.isEmpty()) {
        return copied;
    }
    const QDir from(programFolder);
    for (const QString& program : toolPrograms()) {
        const QFileInfo info(from.filePath(program));
        if (!info.isFile()) {
            continue;
        }
        const QString target = QDir(tools).filePath(program);
        if (!QFile::copy(info.absoluteFilePath(), target)) {
            throw installationError(vb::ErrorNumber::PathFileAccessError,
                                    QStringLiteral("Could not copy '%1' to '%2'.")
                                        .arg(native(info.absoluteFilePath()), native(target)));
        }
        copied.append(program);
    }
    return copied;
}

InstallationSummary writeFiles(const QString& folder, const InstallationOptions& options)
{
    const QDir dir(folder);
    InstallationSummary summary;
    summary.folder = dir.absolutePath();
    // One sequence of choices for the whole installation, in a fixed order of the files.
    SampleRandom random;
    summary.uniqueId = QString::number(10000000 + random.next() % 90000000);

    LabelPictures labels(folder, labelPictureLimit(options.wines));
    writeDatabase(
        dir.filePath(mainDatabaseFile), QStringLiteral("main3"), [&](jet::Connection& connection) {
            const CellarFigures figures = writeCellar(connection, options.wines, random, labels);
            summary.wines = figures.wines;
            summary.wineries = figures.wineries;
            summary.transactions = figures.transactions;
            summary.tastingNotes = figures.tastingNotes;
            summary.labelPictures = figures.labelPictures;
        });
    writeDatabase(
        dir.filePath(settingsFile), QStringLiteral("settings3"),
        [&](jet::Connection& connection) { writeSettings(connection, options.wines, random); });
    writeDatabase(dir.filePath(webLinksFile), QStringLiteral("weblinks1"), writeWebLinks);
    writeDatabase(
        dir.filePath(languageFile), QStringLiteral("language"),
        [&](jet::Connection& connection) { summary.languageTexts = writeLanguage(connection); });
    writeDatabase(dir.filePath(printLabelsFile), QStringLiteral("printlabels"), writePrintLabels);
    writeDatabase(dir.filePath(auctionsFile), QStringLiteral("auctions"), writeAuctions);
    writeTextFile(dir.filePath(ratesFile), ratesFileText());

    const QString tools = dir.filePath(toolsFolder);
    if (!dir.mkdir(toolsFolder)) {
        throw installationError(
            vb::ErrorNumber::PathFileAccessError,
            QStringLiteral("Could not make the folder '%1'.").arg(native(tools)));
    }
    summary.copiedPrograms = copyPrograms(options.programFolder, tools);
    return summary;
}

} // namespace

const QStringList& toolPrograms()
{
    static const QStringList programs{QStringLiteral("travone"), QStringLiteral("tovrak"),
                                      QStringLiteral("kestrune"), QStringLiteral("gorvane"),
                                      QStringLiteral("regedit")};
    return programs;
}

QString connectionString(const QString& databasePath)
{
    return QStringLiteral("Provider=%1;Data Source=%2;Jet OLEDB:Database Password=%3")
        .arg(jet::ConnectionString::jetProvider, databasePath, databasePassword);
}

InstallationSummary writeInstallation(const QString& folder, const InstallationOptions& options)
{
    checkOptions(options);
    if (folder.trimmed().isEmpty()) {
        throw installationError(vb::ErrorNumber::PathNotFound,
                                QStringLiteral("No folder was named for the sample installation."));
    }
    const bool madeFolder = prepareFolder(folder);
    try {
        InstallationSummary summary = writeFiles(folder, options);
        if (options.registerInstallation) {
            registerInstallation(summary.folder, summary.uniqueId);
        }
        return summary;
    } catch (...) {
        cleanUp(folder, madeFolder);
        throw;
    }
}

} // namespace sample
