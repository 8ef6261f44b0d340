#include "CommandLine.h"

using namespace Qt::StringLiterals;

namespace updater {

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine line;
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QStringLiteral("--unattended")) {
            line.unattended = true;
        } else if (argument == QStringLiteral("--backup-dir")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                line.problem = QStringLiteral("--backup-dir needs the folder to back up to.");
                return line;
            }
            line.backupFolder = arguments.at(++i);
        } else if (argument.startsWith(QLatin1Char('-'))) {
            line.problem = u"unknown option %1 (the options are --unattended and "
                           "--backup-dir FOLDER); nothing was done."_s.arg(argument);
            return line;
        } else {
            rest << argument;
        }
    }
    line.text = rest.join(QLatin1Char(' '));
    return line;
}

} // namespace updater
