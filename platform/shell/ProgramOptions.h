#pragma once

// The options every program of the suite understands, in the GNU form: --help prints how to
// call the program, --version its version (from the version information it carries), and a
// command line that cannot be understood ends with a short usage line and exit status 64.
// Programs answer these before they make a QApplication, so they work without a display.

#include <optional>
#include <QString>
#include <QStringList>

namespace shell {

// EX_USAGE: the command was used incorrectly.
inline constexpr int kUsageStatus = 64;

struct ProgramHelp
{
    QString name{};             // "travone"
    QStringList synopses{};     // the ways to call it, without the name: "[--unattended] [restart]"
    QString summary{};          // what the program does, a few lines
    QString details{};          // options and notes, lines as they are to be printed
    QStringList valueOptions{}; // options whose next argument is their value, never an option
};

// The program's arguments (without its name) as text.
QStringList argumentsOf(int argc, char* argv[]);

// `arguments` without the options Qt's application object takes for itself (-platform NAME,
// -style NAME, -reverse...), for programs that check their own before Qt has removed them.
QStringList withoutQtOptions(const QStringList& arguments);

// Answers --help or --version when `arguments` hold one (not as the value of an option in
// help.valueOptions, nor after "--"): prints the text to standard output and gives the exit
// status 0. nullopt when neither was asked for.
std::optional<int> answerStandardOptions(const ProgramHelp& help, const QStringList& arguments);

// Prints "NAME: PROBLEM", the first usage line and where to find more to standard error and
// gives kUsageStatus.
int usageError(const ProgramHelp& help, const QString& problem);

// The first argument before "--" that looks like an option ("-x", "--xyz") and is not among
// `known` or the value of one of help.valueOptions; nullopt when there is none.
std::optional<QString> unknownOption(const ProgramHelp& help, const QStringList& arguments,
                                     const QStringList& known = {});

// The texts printed for --help and --version.
QString helpText(const ProgramHelp& help);
QString versionText(const QString& name);

} // namespace shell
