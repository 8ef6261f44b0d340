// regedit: exports a registry key to a .reg file (regedit /E FILE KEY) and imports one back
// (regedit /S FILE).

#include "platform/shell/ProgramOptions.h"
#include "RegExport.h"
#include "RegImport.h"

#include <cstdio>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

constexpr int kExitFailure = 1;

const shell::ProgramHelp kHelp{
    .name = u"regedit"_s,
    .synopses = {u"/E FILE [KEY]"_s, u"/S FILE"_s, u"FILE"_s},
    .summary = u"Exports a key of the user's registry store to a .reg file, or imports one."_s,
    .details = u"  /E FILE [KEY]  export KEY (default HKEY_CURRENT_USER) and its sub-keys to FILE\n"
               "                 in the \"Windows Registry Editor Version 5.00\" format\n"
               "  /S FILE        import FILE (version 5.00 or REGEDIT4) without asking\n"
               "  FILE           the same as /S\n"
               "Switches may be written with / or -, in any case. Errors go to standard error\n"
               "with exit status 1; a failed export leaves the previous file as it was, and a\n"
               "failed import changes nothing. Exit status 64: a command line that cannot be\n"
               "understood."_s,
};

void printLine(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

int usage(const QString& problem)
{
    return shell::usageError(kHelp, problem);
}

bool isSwitch(const QString& arg, char letter)
{
    return arg.size() == 2 && (arg[0] == QLatin1Char('/') || arg[0] == QLatin1Char('-')) &&
           arg[1].toLower() == QLatin1Char(letter);
}

int report(const QString& problem)
{
    if (problem.isEmpty())
        return 0;
    printLine(QStringLiteral("regedit: %1").arg(problem));
    return kExitFailure;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList args = shell::argumentsOf(argc, argv);
    if (args.isEmpty())
        return usage(QStringLiteral("nothing to do"));
    if (args[0] == QLatin1String("/?"))
        args[0] = u"--help"_s;
    if (args.size() == 1)
        if (const std::optional<int> answered = shell::answerStandardOptions(kHelp, args))
            return *answered;
    if (args[0].startsWith(u"--"_s))
        return usage(u"unknown option %1"_s.arg(args[0]));
    if (isSwitch(args[0], 'e')) {
        if (args.size() < 2 || args.size() > 3)
            return usage(QStringLiteral("/E needs FILE and at most one KEY"));
        const QString key = args.size() == 3 ? args[2] : QStringLiteral("HKEY_CURRENT_USER");
        return report(regedit::exportKey(args[1], key));
    }
    if (isSwitch(args[0], 's'))
        args.removeFirst();
    if (args.size() != 1 ||
        isSwitch(args[0], args[0].size() == 2 ? char(args[0][1].toLower().unicode()) : 0))
        return usage(QStringLiteral("give one file to import"));
    return report(regedit::importFile(args[0]));
}
