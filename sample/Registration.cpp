#include "Registration.h"

#include "common/Registry_Management.h"
#include "Installation.h"
#include "vb/Error.h"

#include <QDir>
#include <QList>

namespace sample {

namespace {

struct Setting
{
    QString section;
    QString valueName;
    QString value;
};

// A default no registry value holds: tells a missing value from an empty one.
const QString missing = QStringLiteral("\x01missing\x01");

reg::Status save(const Setting& setting)
{
    return Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, setting.section,
                                                   setting.valueName, setting.value);
}

QString current(const Setting& setting)
{
    return Registry_Management::GetProductSetting(reg::HKEY_CURRENT_USER, setting.section,
                                                  setting.valueName, missing);
}

} // namespace

void registerInstallation(const QString& folder, const QString& uniqueId)
{
    const QDir installation(folder);
    const QList<Setting> settings{
        {installation::ApplicationSection, installation::FullPathValue,
         QDir::toNativeSeparators(installation.absolutePath())},
        {installation::MainDatabaseSection, installation::FullPathValue,
         QDir::toNativeSeparators(installation.absoluteFilePath(mainDatabaseFile))},
        {installation::LanguageSection, installation::FullPathValue,
         QDir::toNativeSeparators(installation.absoluteFilePath(languageFile))},
        {installation::ApplicationSection, installation::UniqueIdValue, uniqueId},
    };
    // The suite must not be left pointing half at the old installation and half at this one:
    // when a value cannot be written, the ones already written get their old values back.
    QList<Setting> written;
    for (const Setting& setting : settings) {
        Setting before = setting;
        before.value = current(setting);
        const reg::Status status = save(setting);
        if (status != reg::ERROR_SUCCESS) {
            for (const Setting& old : written) {
                if (old.value != missing) {
                    save(old);
                }
            }
            throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                            QStringLiteral("Could not write the registry value %1\\%2 (status "
                                           "%3). Check that the registry store named by "
                                           "QUORVEX_REGISTRY can be written.")
                                .arg(setting.section, setting.valueName)
                                .arg(status),
                            QStringLiteral("sample"));
        }
        written.append(before);
    }
}

} // namespace sample
