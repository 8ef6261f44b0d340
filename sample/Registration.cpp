#include "Registration.h"

#include "common/Registry_Management.h"
#include "Installation.h"
#include "vb/Error.h"

#include <QDir>

namespace sample {

namespace {

void save(const QString& section, const QString& valueName, const QString& value)
{
    const reg::Status status =
        Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, section, valueName, value);
    if (status != reg::ERROR_SUCCESS) {
        throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                        QStringLiteral("Could not write the registry value %1\\%2 (status %3). "
                                       "Check that the registry store named by QUORVEX_REGISTRY "
                                       "can be written.")
                            .arg(section, valueName)
                            .arg(status),
                        QStringLiteral("sample"));
    }
}

} // namespace

void registerInstallation(const QString& folder, const QString& uniqueId)
{
    const QDir installation(folder);
    const QString fullPath = QDir::toNativeSeparators(installation.absolutePath());
    save(QStringLiteral("Application"), QStringLiteral("FullPath"), fullPath);
    save(QStringLiteral("LastDatabase"), QStringLiteral("FullPath"),
         QDir::toNativeSeparators(installation.absoluteFilePath(mainDatabaseFile)));
    save(QStringLiteral("LanguageDB"), QStringLiteral("FullPath"),
         QDir::toNativeSeparators(installation.absoluteFilePath(languageFile)));
    save(QStringLiteral("Application"), QStringLiteral("UniqueID"), uniqueId);
}

} // namespace sample
