// gorvane: the maintenance program "Quorvex Special Tools", one-off repairs of the main wine
// database and of the host's program path.

#include "common/DisplayGuard.h"
#include "GorvaneProgram.h"
#include "platform/shell/ProgramOptions.h"

#include <optional>
#include <QApplication>

using namespace Qt::StringLiterals;

namespace {

shell::ProgramHelp gorvaneHelp()
{
    return {
        .name = u"gorvane"_s,
        .synopses = {QString()},
        .summary = u"Quorvex Special Tools: one-off repairs of the main wine database named in "
                   "the registry (dates with two-digit years, market values, global value "
                   "changes, zero padding) and of the host's program path. Start it from the "
                   "installation's Tools folder; it shows its window."_s,
    };
}

} // namespace

int main(int argc, char* argv[])
{
    const QStringList arguments = shell::argumentsOf(argc, argv);
    if (const std::optional<int> answered = shell::answerStandardOptions(gorvaneHelp(), arguments))
        return *answered;
    if (const QStringList own = shell::withoutQtOptions(arguments); !own.isEmpty())
        return shell::usageError(gorvaneHelp(), u"unexpected argument %1"_s.arg(own.front()));
    std::optional<DisplayGuard> noDisplay(std::in_place, u"gorvane"_s,
                                          u"Run it in a desktop session."_s);
    const QApplication app(argc, argv);
    noDisplay.reset();
    return gorvane::runGorvane(QCoreApplication::applicationDirPath());
}
