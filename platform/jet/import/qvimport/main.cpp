// qvimport: Jet (Access) databases into the current format.

#include "platform/jet/import/qvimport/ImportCommand.h"
#include "platform/shell/ProgramOptions.h"

#include <cstdio>
#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

shell::ProgramHelp qvimportHelp()
{
    return {
        .name = u"qvimport"_s,
        .synopses = {u"[--password PASSWORD] [--report FILE] JETFILE NEWFILE"_s,
                     u"[--password PASSWORD] [--report FILE] --install FOLDER"_s},
        .summary = u"Reads databases kept by the Windows program (Access/Jet files) and writes "
                   "them in the suite's format with every table, column type, index, "
                   "relationship and row, verified against the Jet file before anything is "
                   "replaced."_s,
        .details = u"  --password PASSWORD  the Jet file's database password\n"
                   "  --report FILE        write what was imported and verified to FILE\n"
                   "  --install FOLDER     every database of the installation folder, in "
                   "place;\n"
                   "                       each Jet original is kept beside the new\n"
                   "                       file (<name>.jet)\n"
                   "Run travone afterwards to bring the imported databases to the current "
                   "version.\n"
                   "Exit status: 0 imported, 1 failed, 64 bad options."_s,
        .valueOptions = {u"--password"_s, u"--report"_s, u"--install"_s},
    };
}

} // namespace

int main(int argc, char** argv)
{
    const QStringList arguments = shell::argumentsOf(argc, argv);
    if (const std::optional<int> answered = shell::answerStandardOptions(qvimportHelp(), arguments))
        return *answered;
    if (const std::optional<QString> unknown = shell::unknownOption(qvimportHelp(), arguments))
        return shell::usageError(qvimportHelp(), u"unknown option %1"_s.arg(*unknown));
    const QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return jet::importer::runImportCommand(QCoreApplication::arguments(), out, err);
}
