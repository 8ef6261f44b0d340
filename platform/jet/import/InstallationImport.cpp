// Importing an installation's databases in place.

#include "platform/jet/import/InstallationImport.h"

#include "platform/jet/import/JetFileHeader.h"
#include "platform/vb/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

const QString kImportingSuffix = u".importing"_s;

QString asideName(const QString& path)
{
    QString candidate = path + u".jet"_s;
    for (int n = 2; QFileInfo::exists(candidate); ++n) {
        candidate = path + u".jet."_s + QString::number(n);
    }
    return candidate;
}

void removeDatabaseFiles(const QString& path)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        QFile::remove(path + QLatin1String(suffix));
    }
}

InstalledFile failed(const QString& path, const QString& message)
{
    InstalledFile file;
    file.path = path;
    file.outcome = InstalledFile::Outcome::Failed;
    file.message = message;
    return file;
}

} // namespace

bool InstallationImport::succeeded() const
{
    return std::none_of(files.begin(), files.end(), [](const InstalledFile& file) {
        return file.outcome == InstalledFile::Outcome::Failed;
    });
}

QString InstallationImport::toText() const
{
    QString text = u"Databases of %1:\n"_s.arg(QDir::toNativeSeparators(folder));
    if (files.isEmpty()) {
        text += u"  none found (*.qvd, *.lan, settings.dat, weblinks.dat, printlabels.dat, "
                u"Auctions.dat).\n"_s;
    }
    for (const InstalledFile& file : files) {
        const QString name = QFileInfo(file.path).fileName();
        switch (file.outcome) {
        case InstalledFile::Outcome::Imported:
            text += u"  %1: imported; the Access original is kept as %2\n"_s.arg(
                name, QFileInfo(file.keptAs).fileName());
            break;
        case InstalledFile::Outcome::AlreadyCurrent:
            text += u"  %1: already in the current format, left alone\n"_s.arg(name);
            break;
        case InstalledFile::Outcome::Failed:
            text += u"  %1: NOT imported, left as it was: %2\n"_s.arg(name, file.message);
            break;
        }
    }
    for (const InstalledFile& file : files) {
        if (file.outcome == InstalledFile::Outcome::Imported) {
            text += u"\n"_s + file.report.toText();
        }
    }
    if (succeeded() && !files.isEmpty()) {
        text += u"\nNext: run the update program (travone) to bring the databases to the "
                u"current version.\n"_s;
    }
    return text;
}

QStringList installationDatabases(const QString& folder)
{
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    QStringList found;
    const auto add = [&](const auto& matches) {
        for (const QString& entry : entries) {
            if (matches(entry.toLower())) {
                found.append(dir.filePath(entry));
            }
        }
    };
    add([](const QString& name) { return name.endsWith(u".qvd"_s); });
    add([](const QString& name) { return name == u"settings.dat"_s; });
    add([](const QString& name) { return name.endsWith(u".lan"_s); });
    add([](const QString& name) { return name == u"weblinks.dat"_s; });
    add([](const QString& name) {
        return name == u"printlabels.dat"_s || name == u"auctions.dat"_s;
    });
    return found;
}

InstalledFile importInPlace(const QString& path, const ImportOptions& options)
{
    switch (databaseFileKind(path)) {
    case DatabaseFileKind::Ours: {
        InstalledFile file;
        file.path = path;
        file.outcome = InstalledFile::Outcome::AlreadyCurrent;
        return file;
    }
    case DatabaseFileKind::Missing:
        return failed(path, u"the file does not exist."_s);
    case DatabaseFileKind::Unknown:
        return failed(path, u"it is neither a Jet (Access) database nor a database in the "
                            u"current format."_s);
    default:
        break;
    }
    const QString importing = path + kImportingSuffix;
    // Left by an import that was stopped: never complete, never verified.
    removeDatabaseFiles(importing);
    InstalledFile file;
    file.path = path;
    try {
        file.report = importJetDatabase(path, importing, options);
    } catch (const vb::Error& error) {
        return failed(path, error.description());
    }
    file.report.target = path;
    const QString aside = asideName(path);
    if (!QFile::rename(path, aside)) {
        removeDatabaseFiles(importing);
        return failed(path, u"the Access original cannot be renamed to %1."_s.arg(aside));
    }
    if (!QFile::rename(importing, path)) {
        QFile::rename(aside, path);
        removeDatabaseFiles(importing);
        return failed(path, u"the imported database cannot take the file's name."_s);
    }
    file.outcome = InstalledFile::Outcome::Imported;
    file.keptAs = aside;
    return file;
}

InstallationImport importInstallation(const QString& folder, const ImportOptions& options)
{
    InstallationImport result;
    result.folder = folder;
    for (const QString& path : installationDatabases(folder)) {
        result.files.append(importInPlace(path, options));
    }
    return result;
}

} // namespace jet::importer
