#include "Installation.h"

#include "common/InstallationLayout.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace updater {

namespace {

QString withTrailingSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

QString Installation::findToolsFolder(const QString& programFolder)
{
    const QString fullPath = installation::registeredPath(installation::ApplicationSection, {});
    if (fullPath.isEmpty())
        return withTrailingSeparator(programFolder);
    return withTrailingSeparator(QDir::cleanPath(fullPath + u'/' + installation::ToolsFolder));
}

Installation::Installation(QString toolsFolder)
    : m_toolsFolder(withTrailingSeparator(std::move(toolsFolder)))
{
}

QString Installation::backupFolder() const
{
    return m_toolsFolder + QStringLiteral("Backup");
}

QString Installation::databasePath(DatabaseKind kind) const
{
    switch (kind) {
    case DatabaseKind::Main:
        return installation::registeredPath(installation::MainDatabaseSection,
                                            besideTools(installation::MainDatabaseFile));
    case DatabaseKind::Settings:
        return besideTools(installation::SettingsFile);
    case DatabaseKind::Language:
        return installation::registeredPath(installation::LanguageSection,
                                            besideTools(installation::LanguageFile));
    case DatabaseKind::Weblinks:
        return besideTools(installation::WebLinksFile);
    }
    return QString();
}

QString Installation::backupPath(DatabaseKind kind) const
{
    QString name;
    switch (kind) {
    case DatabaseKind::Main:
        name = QStringLiteral("winedata.bak");
        break;
    case DatabaseKind::Settings:
        name = QStringLiteral("settings.bak");
        break;
    case DatabaseKind::Language:
        name = QStringLiteral("language.bak");
        break;
    case DatabaseKind::Weblinks:
        name = QStringLiteral("weblinks.bak");
        break;
    }
    return backupPath(name);
}

std::vector<SatelliteFile> Installation::satelliteFiles() const
{
    return {{besideTools(installation::PrintLabelsFile), u"printlabels.bak"_s},
            {besideTools(installation::AuctionsFile), u"auctions.bak"_s}};
}

QString Installation::backupPath(const QString& backupName) const
{
    return backupFolder() + QLatin1Char('/') + backupName;
}

QString Installation::compactionProgram() const
{
    return m_toolsFolder + QStringLiteral("tovrak");
}

QString Installation::besideTools(const QString& name) const
{
    return QDir::cleanPath(m_toolsFolder + QStringLiteral("../") + name);
}

} // namespace updater
