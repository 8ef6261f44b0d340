#include "TravoneProgram.h"

#include "CommandLine.h"
#include "common/DisplayGuard.h"
#include "frmMain.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/NonInteractiveUser.h"
#include "platform/shell/ProgramOptions.h"
#include "UpdateDriver.h"

#include <cstdio>
#include <optional>
#include <QApplication>

using namespace Qt::StringLiterals;

namespace updater {

namespace {

// An unattended run needs no screen: without one it draws its window off screen.
void chooseHeadlessPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

const shell::ProgramHelp& travoneHelp()
{
    static const shell::ProgramHelp help{
        .name = u"travone"_s,
        .synopses = {u"[restart] [--unattended] [--backup-dir DIR]"_s},
        .summary = u"Backs up the databases of the registered installation and brings each to "
                   "the current version (main wine database 11, settings 18, weblinks 4), "
                   "restoring the backups if anything fails; then hands over to the compaction "
                   "program tovrak in the installation's Tools folder."_s,
        .details = u"  restart            passed on to the compaction program, which starts\n"
                   "                     the host again\n"
                   "  --unattended       answer every question so that the update goes on,\n"
                   "                     and write each message to standard output\n"
                   "  --backup-dir DIR   back up the user's files into a dated folder in DIR\n"
                   "                     without asking\n"
                   "\n"
                   "Exit status: 0 updated, 1 failed (databases restored, or refused before\n"
                   "any change), 2 the restore failed, 3 the compaction program could not be\n"
                   "started, 4 another run is in progress, 5 the user declined, 64 bad\n"
                   "options."_s,
        .valueOptions = {u"--backup-dir"_s},
    };
    return help;
}

} // namespace

int runTravone(int argc, char** argv, UpdateChains chains, UserFilesBackupFactory backupFactory)
{
    // Before anything else, so that a misspelt option never starts an update.
    const QStringList arguments = shell::argumentsOf(argc, argv);
    if (const std::optional<int> answered = shell::answerStandardOptions(travoneHelp(), arguments))
        return *answered;
    const CommandLine commandLine = CommandLine::parse(arguments);
    if (!commandLine.problem.isEmpty())
        return shell::usageError(travoneHelp(), commandLine.problem);
    if (commandLine.unattended)
        chooseHeadlessPlatform();
    std::optional<DisplayGuard> noDisplay(
        std::in_place, u"travone"_s,
        u"Run it in a desktop session, or with --unattended to update without a "
        "window."_s);
    const QApplication application(argc, argv);
    noDisplay.reset();

    std::optional<shell::NonInteractiveUser> nobody;
    if (commandLine.unattended)
        nobody.emplace(shell::vbYes);

    frmMain window;
    RunOptions options;
    options.commandLine = commandLine.text;
    options.programFolder = QApplication::applicationDirPath();
    options.backupFolder = commandLine.backupFolder;
    options.chains = std::move(chains);
    options.backupFactory = std::move(backupFactory);
    UpdateDriver driver(window, std::move(options));
    return static_cast<int>(driver.run());
}

} // namespace updater
