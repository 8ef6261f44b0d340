#include "Registry.h"

#include <QDir>

namespace reg {

QString storePath()
{
    const QString explicitPath = qEnvironmentVariable("QUORVEX_REGISTRY");
    if (!explicitPath.isEmpty())
        return explicitPath;
    // Relative XDG_CONFIG_HOME values are invalid by the base-directory rules and are ignored.
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/quorvex/registry.db");
}

} // namespace reg
