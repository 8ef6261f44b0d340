// regedit: exports a registry key to a .reg file (regedit /E FILE KEY) and imports one back
// (regedit /S FILE).

#include "RegExport.h"
#include "RegImport.h"

#include <cstdio>
#include <QStringList>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

const char* const kHelp =
    "Usage:\n"
    "  regedit /E FILE [KEY]  export KEY (default HKEY_CURRENT_USER) and its sub-keys to FILE\n"
    "                         in the \"Windows Registry Editor Version 5.00\" format\n"
    "  regedit /S FILE        import FILE (version 5.00 or REGEDIT4) without asking\n"
    "  regedit FILE           the same as /S\n"
    "Switches may be written with / or -, in any case. Errors go to standard error with exit\n"
    "status 1; a failed export leaves the previous file as it was, and a failed import\n"
    "changes nothing.\n";

void printLine(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

int usage(const QString& problem)
{
    printLine(QStringLiteral("regedit: %1").arg(problem));
    std::fputs(kHelp, stderr);
    return kExitUsage;
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
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty())
        return usage(QStringLiteral("nothing to do"));
    if (args[0] == QLatin1String("/?") || args[0] == QLatin1String("--help")) {
        std::fputs(kHelp, stdout);
        return 0;
    }
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
