#include "TravoneProgram.h"

#include "CommandLine.h"
#include "common/DisplayGuard.h"
#include "frmMain.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/NonInteractiveUser.h"
#include "UpdateDriver.h"

#include <cstdio>
#include <optional>
#include <QApplication>

using namespace Qt::StringLiterals;

namespace updater {

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// An unattended run needs no screen: without one it draws its window off screen.
void chooseHeadlessPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

constexpr int usageError = 64;

} // namespace

int runTravone(int argc, char** argv, UpdateChains chains, UserFilesBackupFactory backupFactory)
{
    // Before anything else, so that a misspelt option never starts an update.
    const CommandLine commandLine = CommandLine::parse(argumentsOf(argc, argv));
    if (!commandLine.problem.isEmpty()) {
        std::fprintf(stderr, "travone: %s\n", qPrintable(commandLine.problem));
        return usageError;
    }
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
