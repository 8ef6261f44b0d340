// kestrune: the installation analyser. With the argument "silent" it writes the report without
// a window and removes Tools/waiting.txt when done; otherwise it shows its window.

#include "common/DisplayGuard.h"
#include "FileAnalysis.h"
#include "frmMain.h"
#include "platform/shell/ProgramOptions.h"

#include <optional>
#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

shell::ProgramHelp kestruneHelp()
{
    return {
        .name = u"kestrune"_s,
        .synopses = {u"[silent]"_s},
        .summary =
            u"Analyses the registered installation for a support case: the versions of its "
            "programs, libraries and databases, its files and the suite's registry entries, "
            "written to Tools/FileAnalysis.txt in the installation folder. Without arguments "
            "it shows its window, from which the report can be written and copied."_s,
        .details = u"  silent     write the report without a window and remove\n"
                   "             Tools/waiting.txt when done"_s,
    };
}

} // namespace

int main(int argc, char* argv[])
{
    const QStringList arguments = shell::argumentsOf(argc, argv);
    if (const std::optional<int> answered = shell::answerStandardOptions(kestruneHelp(), arguments))
        return *answered;
    if (const std::optional<QString> unknown =
            shell::unknownOption(kestruneHelp(), shell::withoutQtOptions(arguments)))
        return shell::usageError(kestruneHelp(), u"unknown option %1"_s.arg(*unknown));
    if (arguments.join(u' ') == u"silent"_s) {
        // No GUI at all: nothing can show, and no display is needed.
        const QCoreApplication app(argc, argv);
        return analyser::runSilent(analyser::AnalyserOptions());
    }
    std::optional<DisplayGuard> noDisplay(
        std::in_place, u"kestrune"_s,
        u"Run it in a desktop session, or as \"kestrune silent\" to write the report without a "
        "window."_s);
    QApplication app(argc, argv);
    noDisplay.reset();
    frmMain window{analyser::AnalyserOptions()};
    window.show();
    return app.exec();
}
