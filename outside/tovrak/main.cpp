// tovrak: the compaction program. The updater starts it from the tools folder after a
// successful update, with the argument "restart" when the updater itself was started with it.
//
//   tovrak [--tools DIR] [restart]
//
// It compacts the installation's four databases (main wine database, settings, language and
// weblinks database) one after another; a database that is missing, damaged or open in another
// program is reported on standard error and left as it is, and the others are still compacted.
// "restart" means: once done, start the host application `quorvex` in the installation folder
// (the folder above the tools folder) when it is there, whether or not everything was
// compacted: the user's data is intact either way and the host was closed for the update.
// Exit status: 0 when all four were compacted, 1 otherwise, 64 for a bad command line.
// --tools DIR names the tools folder instead of the program's own folder (for tests).

#include "platform/shell/ProgramOptions.h"
#include "Tovrak.h"

#include <cstdio>
#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    const shell::ProgramHelp help{.name = u"tovrak"_s,
                                  .synopses = {u"[--tools DIR] [restart]"_s},
                                  .summary = tovrak::help(),
                                  .valueOptions = {u"--tools"_s}};
    QStringList arguments = shell::argumentsOf(argc, argv);
    if (arguments == QStringList{u"/?"_s})
        arguments = {u"--help"_s};
    if (const std::optional<int> answered = shell::answerStandardOptions(help, arguments))
        return *answered;
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString problem;
    const std::optional<tovrak::Options> options = tovrak::parseArguments(arguments, problem);
    if (!options)
        return shell::usageError(help, problem);
    return tovrak::run(*options, out, err);
}
