// Running the update chains on a fresh sample installation.

#include "sample/UpdatedInstallation.h"

#include "platform/shell/MsgBox.h"
#include "platform/shell/ScriptedUser.h"
#include "platform/vb/Error.h"
#include "updater/frmMain.h"
#include "updater/UpdateChains.h"
#include "updater/UpdateDriver.h"
#include "updater/UpdaterTexts.h"
#include "updater/UserFilesBackup.h"

#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace sample {

namespace {

using shell::PromptMatcher;

// The user's own backup is not the point here: it is reported as made.
class SkippedBackup : public updater::UserFilesBackup
{
public:
    qint16 backupUserFiles(qint32, const QString&, QString&) override { return BackupMade; }
    void setTargetFolder(const QString&) override {}
};

void answerTheUpdatersQuestions(shell::ScriptedUser& user)
{
    user.alwaysAnswer(PromptMatcher::exactly(updater::texts::WillConvert), shell::vbOK);
    user.alwaysAnswer(PromptMatcher::containing(u"Thank you"_s), shell::vbOK);
    user.alwaysAnswer(PromptMatcher::containing(u"flagged for manual"_s), shell::vbOK);
    user.expectModal(u"frmUpdateToVersion3_4"_s, [](QWidget& dialog) {
        dialog.findChild<QRadioButton*>(u"optTo(1)"_s)->click();
        dialog.findChild<QPushButton*>(u"cmdOK"_s)->click();
    });
}

} // namespace

InstallationSummary writeUpdatedInstallation(const QString& folder,
                                             const InstallationOptions& options)
{
    // The updater works on the registered installation.
    InstallationOptions registered = options;
    registered.registerInstallation = true;
    const InstallationSummary summary = writeInstallation(folder, registered);
    shell::ScriptedUser user;
    QStringList failures;
    user.setFailureHandler([&failures](const QString& what) { failures << what; });
    answerTheUpdatersQuestions(user);

    updater::RunOptions run;
    run.programFolder = summary.folder + u'/' + toolsFolder;
    run.backupFactory = [](const QString&) { return std::make_unique<SkippedBackup>(); };
    run.chains = updater::UpdateChains::standard();
    updater::frmMain progress;
    updater::UpdateDriver driver(progress, run);
    const updater::RunOutcome outcome = driver.run();
    if (outcome != updater::RunOutcome::Updated && outcome != updater::RunOutcome::NotCompacted)
        throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                        u"The sample installation in %1 could not be updated (outcome %2): %3"_s
                            .arg(summary.folder)
                            .arg(static_cast<int>(outcome))
                            .arg(failures.join(u"; "_s)),
                        u"sample"_s);
    return summary;
}

} // namespace sample
