#include "ToolsSettings.h"

#include "common/Registry_Management.h"

#include <QDir>
#include <QFileInfo>

namespace gorvane {

namespace {

const QString defaultDatabaseName = QStringLiteral("CSAMPLE.QVD");

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
    return Registry_Management::GetProductSetting(reg::HKEY_CURRENT_USER,
                                                  QStringLiteral("LastDatabase"),
                                                  QStringLiteral("FullPath"), fallback);
}

} // namespace gorvane
