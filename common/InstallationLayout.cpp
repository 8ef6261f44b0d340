// Reading the installation's registered paths.

#include "InstallationLayout.h"

#include "Registry_Management.h"

#include <QDir>

namespace installation {

QString registeredPath(const QString& section, const QString& fallback)
{
    const QString path = Registry_Management::GetProductSetting(reg::HKEY_CURRENT_USER, section,
                                                                FullPathValue, QString());
    return path.isEmpty() ? fallback : QDir::fromNativeSeparators(path);
}

} // namespace installation
