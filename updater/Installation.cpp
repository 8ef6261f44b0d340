#include "Installation.h"

#include "common/Registry_Management.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace updater {

namespace {

QString withTrailingSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString productSetting(const QString& section, const QString& defaultText)
{
    return Registry_Management::GetProductSetting(reg::HKEY_CURRENT_USER, section,
                                                  QStringLiteral("FullPath"), defaultText);
}

} // namespace

QString Installation::findToolsFolder(const QString& programFolder)
{
    const QString fullPath = productSetting(QStringLiteral("Application"), QString());
    if (fullPath.isEmpty())
        return withTrailingSeparator(programFolder);
    return withTrailingSeparator(QDir::cleanPath(fullPath + QStringLiteral("/Tools")));
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
        return productSetting(QStringLiteral("LastDatabase"),
                              besideTools(QStringLiteral("csample.qvd")));
    case DatabaseKind::Settings:
        return besideTools(QStringLiteral("settings.dat"));
    case DatabaseKind::Language:
        return productSetting(QStringLiteral("LanguageDB"),
                              besideTools(QStringLiteral("english.lan")));
    case DatabaseKind::Weblinks:
        return besideTools(QStringLiteral("weblinks.dat"));
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
    return {{besideTools(u"printlabels.dat"_s), u"printlabels.bak"_s},
            {besideTools(u"Auctions.dat"_s), u"auctions.bak"_s}};
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
