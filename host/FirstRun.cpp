// The host's first start for a user: a new cellar in the user's data folder.

#include "host/FirstRun.h"

#include "common/InstallationLayout.h"
#include "common/Registry_Management.h"
#include "host/frmQuorvex.h"
#include "platform/com/ProgramFolder.h"
#include "platform/jet/Connection.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/WaitCursor.h"
#include "platform/vb/Error.h"
#include "sample/LabelPictures.h"
#include "sample/UpdatedInstallation.h"

#include <optional>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace host {

namespace {

// Children before the rows they point to.
const QStringList kCellarTables{u"tblTastingNotes"_s, u"tblTransactions"_s, u"tblLocations"_s,
                                u"tblWines"_s, u"tblWinerySite"_s};
const QStringList kSettingsTables{u"tblWorkingTNs"_s};

QString welcomePrompt(const QString& folder)
{
    return u"Welcome to Quorvex. No cellar has been set up for you yet; a new one will be "
           "made in %1.\n\n"
           "Yes: the sample cellar, a few hundred wines to try the reports and tools on.\n"
           "No: an empty cellar for your own wines.\n"
           "Cancel: quit without making a cellar."_s.arg(QDir::toNativeSeparators(folder));
}

void emptyTables(const QString& database, const QStringList& tables)
{
    jet::Connection connection;
    connection.open(sample::connectionString(database));
    connection.beginTrans();
    try {
        for (const QString& table : tables)
            connection.execute(u"DELETE * FROM [%1]"_s.arg(table));
        connection.commitTrans();
    } catch (...) {
        connection.close();
        throw;
    }
    connection.close();
}

// The programs the host and the updater start from the cellar's Tools folder; those the
// package keeps off the PATH (regedit) come from the suite's library folder.
void completeTools(const QString& toolsFolder)
{
    for (const QString& program : sample::toolPrograms()) {
        const QString target = QDir(toolsFolder).filePath(program);
        if (QFileInfo::exists(target))
            continue;
        for (const QString& folder : com::componentFolders()) {
            const QFileInfo source(QDir(folder).filePath(program));
            if (source.isExecutable() && QFile::copy(source.absoluteFilePath(), target))
                break;
        }
    }
}

void forgetCellar()
{
    Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER,
                                            installation::MainDatabaseSection,
                                            installation::FullPathValue, QString());
}

} // namespace

bool cellarRegistered()
{
    return !installation::registeredPath(installation::MainDatabaseSection, QString()).isEmpty();
}

QString newCellarFolder()
{
    const QString base =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/quorvex/"_s;
    QString folder = base + u"Cellar"_s;
    for (int number = 2; QFileInfo::exists(folder) &&
                         !QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot |
                                               QDir::Hidden | QDir::System);
         ++number)
        folder = base + u"Cellar %1"_s.arg(number);
    return folder;
}

FirstRunChoice offerNewCellar(const QString& programFolder)
{
    const QString folder = newCellarFolder();
    const int answer = shell::msgBox(
        welcomePrompt(folder), shell::vbYesNoCancel | shell::vbQuestion, frmQuorvex::kCaption);
    if (answer != shell::vbYes && answer != shell::vbNo)
        return FirstRunChoice::Declined;
    const FirstRunChoice choice =
        answer == shell::vbYes ? FirstRunChoice::SampleCellar : FirstRunChoice::EmptyCellar;

    std::optional<shell::WaitCursor> hourglass(std::in_place);
    sample::InstallationOptions options;
    options.programFolder = programFolder;
    // An empty cellar starts from the smallest sample: its pick lists, settings and language.
    if (choice == FirstRunChoice::EmptyCellar)
        options.wines = 1;
    if (!QDir().mkpath(QFileInfo(folder).absolutePath()))
        throw vb::Error(vb::ErrorNumber::PathNotFound,
                        u"The folder %1 cannot be made."_s.arg(
                            QDir::toNativeSeparators(QFileInfo(folder).absolutePath())),
                        u"quorvex"_s);
    try {
        const sample::InstallationSummary summary =
            sample::writeUpdatedInstallation(folder, options);
        completeTools(QDir(summary.folder).filePath(sample::toolsFolder));
        if (choice == FirstRunChoice::EmptyCellar)
            emptyCellar(summary.folder);
    } catch (...) {
        forgetCellar();
        QDir(folder).removeRecursively();
        throw;
    }
    return choice;
}

void emptyCellar(const QString& folder)
{
    const QDir cellar(folder);
    emptyTables(cellar.filePath(sample::mainDatabaseFile), kCellarTables);
    emptyTables(cellar.filePath(sample::settingsFile), kSettingsTables);
    QDir(cellar.filePath(sample::LabelPictures::folderName)).removeRecursively();
}

} // namespace host
