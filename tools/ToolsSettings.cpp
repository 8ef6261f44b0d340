#include "ToolsSettings.h"

#include "common/InstallationLayout.h"

#include <QDir>
#include <QFileInfo>

namespace gorvane {

namespace {

// The tools have always looked for the sample under its upper-case name; a file of any case
// is found (caseInsensitiveFile).
const QString defaultDatabaseName = installation::MainDatabaseFile.toUpper();

// The file of that name in `folder`, matched without regard to case when the exact name is
// not there; the exact name when there is no such file at all.
QString caseInsensitiveFile(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (!dir.exists(name)) {
        for (const QString& entry : dir.entryList(QDir::Files))
            if (entry.compare(name, Qt::CaseInsensitive) == 0)
                return dir.filePath(entry);
    }
    return dir.filePath(name);
}

} // namespace

QString withTrailingSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString lastDatabasePath(const QString& programFolder)
{
    const QString installationFolder =
        QDir::cleanPath(withTrailingSeparator(programFolder) + QStringLiteral(".."));
    const QString fallback = caseInsensitiveFile(installationFolder, defaultDatabaseName);
    return installation::registeredPath(installation::MainDatabaseSection, fallback);
}

} // namespace gorvane
