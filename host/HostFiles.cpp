// Finding the installation's files.

#include "host/HostFiles.h"

#include "common/Registry_Management.h"
#include "platform/vb/Error.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace host {

namespace {

QString setting(const QString& section)
{
    const QString value = Registry_Management::GetProductSetting(reg::HKEY_CURRENT_USER, section,
                                                                 u"FullPath"_s, QString());
    return value.isEmpty() ? QString() : QDir::fromNativeSeparators(value);
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
    files.mainDatabase = mainDatabase.isEmpty() ? files.appPath + u"csample.qvd"_s : mainDatabase;
    files.settingsDatabase = files.appPath + u"settings.dat"_s;
    files.languageDatabase = files.appPath + u"english.lan"_s;
    return files;
}

HostFiles HostFiles::fromRegistry()
{
    const QString mainDatabase = setting(u"LastDatabase"_s);
    if (mainDatabase.isEmpty())
        throw vb::Error(vb::ErrorNumber::FileNotFound,
                        u"No cellar is registered (LastDatabase\\FullPath). Lay out and register "
                        "an installation first, for example with qvsample --register."_s,
                        u"quorvex"_s);
    if (!QFileInfo::exists(mainDatabase))
        throw vb::Error(vb::ErrorNumber::FileNotFound,
                        u"The registered cellar %1 does not exist."_s.arg(
                            QDir::toNativeSeparators(mainDatabase)),
                        u"quorvex"_s);
    QString folder = setting(u"Application"_s);
    if (folder.isEmpty())
        folder = QFileInfo(mainDatabase).absolutePath();
    HostFiles files = inFolder(folder, mainDatabase);
    if (const QString language = setting(u"LanguageDB"_s); !language.isEmpty())
        files.languageDatabase = language;
    return files;
}

} // namespace host
