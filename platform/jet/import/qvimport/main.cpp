// qvimport: Jet (Access) databases into the current format.

#include "platform/jet/import/qvimport/ImportCommand.h"

#include <cstdio>
#include <QCoreApplication>

int main(int argc, char** argv)
{
    const QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return jet::importer::runImportCommand(QCoreApplication::arguments(), out, err);
}
