// gorvane: the maintenance program "Quorvex Special Tools", one-off repairs of the main wine
// database and of the host's program path.

#include "GorvaneProgram.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const QApplication app(argc, argv);
    return gorvane::runGorvane(QCoreApplication::applicationDirPath());
}
