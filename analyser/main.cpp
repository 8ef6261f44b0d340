// kestrune: the installation analyser. With the argument "silent" it writes the report without
// a window and removes Tools/waiting.txt when done; otherwise it shows its window.

#include "common/DisplayGuard.h"
#include "FileAnalysis.h"
#include "frmMain.h"

#include <optional>
#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

bool silentRequested(int argc, char* argv[])
{
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    return words.join(QLatin1Char(' ')) == QLatin1String("silent");
}

} // namespace

int main(int argc, char* argv[])
{
    if (silentRequested(argc, argv)) {
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
