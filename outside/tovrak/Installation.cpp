#include "Installation.h"

#include "common/InstallationLayout.h"

#include <QCoreApplication>
#include <QDir>

namespace outside {

Installation::Installation(QString toolsFolder) : m_toolsFolder(std::move(toolsFolder)) {}

QString Installation::registeredToolsFolder()
{
    const QString fullPath = installation::registeredPath(installation::ApplicationSection, {});
    if (fullPath.isEmpty())
        return QCoreApplication::applicationDirPath();
    return QDir(fullPath).filePath(installation::ToolsFolder);
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
    return installation::registeredPath(section, inInstallation(defaultFileName));
}

QString Installation::mainDatabase() const
{
    return registeredPath(installation::MainDatabaseSection, installation::MainDatabaseFile);
}

QString Installation::settingsDatabase() const
{
    return inInstallation(installation::SettingsFile);
}

QString Installation::languageDatabase() const
{
    return registeredPath(installation::LanguageSection, installation::LanguageFile);
}

QString Installation::weblinksDatabase() const
{
    return inInstallation(installation::WebLinksFile);
}

std::vector<QString> Installation::databases() const
{
    return {mainDatabase(), settingsDatabase(), languageDatabase(), weblinksDatabase()};
}

std::vector<DataFile> Installation::satellites() const
{
    return {{inInstallation(installation::PrintLabelsFile), true},
            {inInstallation(installation::AuctionsFile), true},
            {inInstallation(installation::RatesFile), false}};
}

} // namespace outside
