// kestrune: the installation analyser. With the argument "silent" it writes the report without
// a window and removes Tools/waiting.txt when done; otherwise it shows its window.

#include "FileAnalysis.h"
#include "frmMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

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
    QApplication app(argc, argv);
    frmMain window{analyser::AnalyserOptions()};
    window.show();
    return app.exec();
}
