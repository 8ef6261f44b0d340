#pragma once

// Where an installation keeps its data files, found the way the updater finds them: the tools
// folder is the installation folder's "Tools" sub-folder; the main wine database and the
// language database are named in the registry (sections "LastDatabase" and "LanguageDB", value
// "FullPath"), defaulting to csample.qvd and english.lan in the installation folder; the
// settings and weblinks databases and the satellite files lie in the installation folder.

#include <QString>
#include <vector>

namespace outside {

struct DataFile
{
    QString path;
    bool isDatabase = true;
};

class Installation
{
public:
    explicit Installation(QString toolsFolder);

    // The updater's rule: registry "Application"/"FullPath" + "/Tools", or the running program's
    // own folder when that value is empty.
    static QString registeredToolsFolder();

    const QString& toolsFolder() const noexcept { return m_toolsFolder; }
    // The folder above the tools folder.
    QString installationFolder() const;

    QString mainDatabase() const;
    QString settingsDatabase() const;
    QString languageDatabase() const;
    QString weblinksDatabase() const;
    // main, settings, language, weblinks: the order the updater reads them in.
    std::vector<QString> databases() const;
    // printlabels.dat and Auctions.dat (databases) and rates.dat (text), whether or not they
    // exist.
    std::vector<DataFile> satellites() const;

private:
    QString inInstallation(const QString& fileName) const;
    QString registeredPath(const QString& section, const QString& defaultFileName) const;

    QString m_toolsFolder;
};

} // namespace outside
