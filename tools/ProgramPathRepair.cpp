#include "ProgramPathRepair.h"

#include "common/InstallationLayout.h"
#include "common/Registry_Management.h"

#include <QStringList>

namespace gorvane {

std::optional<QString> mainFolderOf(const QString& programFolder)
{
    const QStringList segments = programFolder.split(QLatin1Char('/'));
    const qsizetype tools = segments.indexOf(QStringLiteral("Tools"));
    if (tools < 0)
        return std::nullopt;
    const QString folder = segments.first(tools).join(QLatin1Char('/'));
    // Tools right below the root: the installation is the root itself.
    return folder.isEmpty() ? QStringLiteral("/") : folder;
}

reg::Status saveMainFolder(const QString& mainFolder)
{
    return Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER,
                                                   installation::ApplicationSection,
                                                   installation::FullPathValue, mainFolder);
}

} // namespace gorvane
