#include "Installation.h"

#include "common/Registry_Management.h"

#include <QCoreApplication>
#include <QDir>

namespace outside {

Installation::Installation(QString toolsFolder) : m_toolsFolder(std::move(toolsFolder)) {}

QString Installation::registeredToolsFolder()
{
    const QString fullPath = Registry_Management::GetProductSetting(
        reg::HKEY_CURRENT_USER, QStringLiteral("Application"), QStringLiteral("FullPath"), {});
    if (fullPath.isEmpty())
        return QCoreApplication::applicationDirPath();
    return QDir(QDir::fromNativeSeparators(fullPath)).filePath(QStringLiteral("Tools"));
}

QString Installation::installationFolder() const
{
    return QDir::cleanPath(QDir(m_toolsFolder).absoluteFilePath(QStringLiteral("..")));
}

QString Installation::inInstallation(const QString& fileName) const
{
    return QDir(installationFolder()).filePath(fileName);
}

QString Installation::registeredPath(const QString& section, const QString& defaultFileName) const
{
    const QString path = Registry_Management::GetProductSetting(reg::HKEY_CURRENT_USER, section,
                                                                QStringLiteral("FullPath"), {});
    return path.isEmpty() ? inInstallation(defaultFileName) : QDir::fromNativeSeparators(path);
}

QString Installation::mainDatabase() const
{
    return registeredPath(QStringLiteral("LastDatabase"), QStringLiteral("csample.qvd"));
}

QString Installation::settingsDatabase() const
{
    return inInstallation(QStringLiteral("settings.dat"));
}

QString Installation::languageDatabase() const
{
    return registeredPath(QStringLiteral("LanguageDB"), QStringLiteral("english.lan"));
}

QString Installation::weblinksDatabase() const
{
    return inInstallation(QStringLiteral("weblinks.dat"));
}

std::vector<QString> Installation::databases() const
{
    return {mainDatabase(), settingsDatabase(), languageDatabase(), weblinksDatabase()};
}

std::vector<DataFile> Installation::satellites() const
{
    return {{inInstallation(QStringLiteral("printlabels.dat")), true},
            {inInstallation(QStringLiteral("Auctions.dat")), true},
            {inInstallation(QStringLiteral("rates.dat")), false}};
}

} // namespace outside
