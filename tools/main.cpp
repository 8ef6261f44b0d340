// gorvane: the maintenance program "Quorvex Special Tools", one-off repairs of the main wine
// database and of the host's program path.

#include "common/DisplayGuard.h"
#include "GorvaneProgram.h"

#include <optional>
#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    std::optional<DisplayGuard> noDisplay(std::in_place, u"gorvane"_s,
                                          u"Run it in a desktop session."_s);
    const QApplication app(argc, argv);
    noDisplay.reset();
    return gorvane::runGorvane(QCoreApplication::applicationDirPath());
}
