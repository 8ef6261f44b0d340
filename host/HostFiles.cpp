// Finding the installation's files.

#include "host/HostFiles.h"

#include "common/InstallationLayout.h"
#include "platform/vb/Error.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace host {

namespace {

QString setting(const QString& section)
{
    return installation::registeredPath(section, QString());
}

QString withSeparator(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

HostFiles HostFiles::inFolder(const QString& folder, const QString& mainDatabase)
{
    HostFiles files;
    files.appPath = withSeparator(QDir(folder).absolutePath());
    files.mainDatabase =
        mainDatabase.isEmpty() ? files.appPath + installation::MainDatabaseFile : mainDatabase;
    files.settingsDatabase = files.appPath + installation::SettingsFile;
    files.languageDatabase = files.appPath + installation::LanguageFile;
    return files;
}

HostFiles HostFiles::fromRegistry()
{
    const QString mainDatabase = setting(installation::MainDatabaseSection);
    if (mainDatabase.isEmpty())
        throw vb::Error(
            vb::ErrorNumber::FileNotFound,
            u"No cellar is registered (LastDatabase\\FullPath). Start quorvex once without "
            "arguments to lay out a new cellar, or register one with qvsample "
            "--register."_s,
            u"quorvex"_s);
    if (!QFileInfo::exists(mainDatabase))
        throw vb::Error(vb::ErrorNumber::FileNotFound,
                        u"The registered cellar %1 does not exist."_s.arg(
                            QDir::toNativeSeparators(mainDatabase)),
                        u"quorvex"_s);
    QString folder = setting(installation::ApplicationSection);
    if (folder.isEmpty())
        folder = QFileInfo(mainDatabase).absolutePath();
    HostFiles files = inFolder(folder, mainDatabase);
    if (const QString language = setting(installation::LanguageSection); !language.isEmpty())
        files.languageDatabase = language;
    return files;
}

} // namespace host
