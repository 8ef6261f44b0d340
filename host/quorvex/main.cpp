// quorvex: the host stand-in. Without arguments it shows its window on the registered
// installation (on a user's first start, after laying out a new cellar: host/FirstRun.h);
// "quorvex report ..." runs one report headless (see host/CommandLine.h).

#include "common/Registry_Management.h"
#include "host/BatchRun.h"
#include "host/FirstRun.h"
#include "host/frmQuorvex.h"
#include "host/HostSession.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/ProgramOptions.h"

#include <cstdio>
#include <QApplication>

using namespace Qt::StringLiterals;

namespace {

int runWindow()
{
    try {
        if (!host::cellarRegistered() &&
            host::offerNewCellar(QCoreApplication::applicationDirPath()) ==
                host::FirstRunChoice::Declined)
            return 0;
        host::HostSession session(host::HostFiles::fromRegistry());
        const QString last = Registry_Management::GetProductSetting(
            reg::HKEY_CURRENT_USER, u"LastSelections"_s, u"QueryID"_s, u"0"_s);
        try {
            session.setSelection(host::findSelection(session.settingsDatabase(), last.toInt()));
        } catch (const vb::Error&) {
            // A remembered query since deleted: all wines.
        }
        host::frmQuorvex window(session);
        window.show();
        return QApplication::exec();
    } catch (const vb::Error& error) {
        shell::msgBox(error.description(), shell::vbOKOnly | shell::vbCritical,
                      host::frmQuorvex::kCaption);
        return host::kExitReportFailed;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    const shell::ProgramHelp help = host::programHelp();
    const QStringList arguments = shell::argumentsOf(argc, argv);
    if (const std::optional<int> answered = shell::answerStandardOptions(help, arguments))
        return *answered;
    // Checked before Qt is started, so that a mistyped command needs no display.
    const host::CommandLine line = host::parseCommandLine(shell::withoutQtOptions(arguments));
    if (!line.error.isEmpty())
        return shell::usageError(help, line.error);
    // A headless run needs no display.
    if (line.batch && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication app(argc, argv);
    return line.batch ? host::runBatch(line.command) : runWindow();
}
