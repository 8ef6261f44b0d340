// quorvex: the host stand-in. Without arguments it shows its window on the registered
// installation; "quorvex report ..." runs one report headless (see host/CommandLine.h).

#include "common/Registry_Management.h"
#include "host/BatchRun.h"
#include "host/frmQuorvex.h"
#include "host/HostSession.h"
#include "platform/shell/MsgBox.h"

#include <cstdio>
#include <QApplication>

using namespace Qt::StringLiterals;

namespace {

int runWindow()
{
    try {
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
    // A headless run needs no display.
    const bool batch = argc > 1 && qstrcmp(argv[1], "report") == 0;
    if (batch && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication app(argc, argv);
    const host::CommandLine line = host::parseCommandLine(QApplication::arguments().mid(1));
    if (!line.error.isEmpty()) {
        std::fputs(
            qPrintable(u"quorvex: "_s + line.error + u'\n' + host::commandLineUsage() + u'\n'),
            stderr);
        return host::kExitUsage;
    }
    return line.batch ? host::runBatch(line.command) : runWindow();
}
