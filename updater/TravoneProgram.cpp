#include "TravoneProgram.h"

#include "CommandLine.h"
#include "frmMain.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/NonInteractiveUser.h"
#include "UpdateDriver.h"

#include <cstdio>
#include <optional>
#include <QApplication>

namespace updater {

namespace {

bool unattendedRequested(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]) == "--unattended")
            return true;
    return false;
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
    if (unattendedRequested(argc, argv))
        chooseHeadlessPlatform();
    const QApplication application(argc, argv);
    const CommandLine commandLine = CommandLine::parse(QApplication::arguments().mid(1));
    if (!commandLine.problem.isEmpty()) {
        std::fprintf(stderr, "travone: %s\n", qPrintable(commandLine.problem));
        return usageError;
    }

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
