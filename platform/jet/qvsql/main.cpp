// qvsql: Jet SQL on a database file of the suite, from the command line.
//
//   qvsql --create FILE                  make an empty database
//   qvsql [--password PW] FILE "SQL"...  run statements, print rows as tab-separated text
//   qvsql [--password PW] FILE -f SCRIPT run the statements of a file (ended by ";")
//   qvsql [--password PW] FILE           statements from standard input
//   qvsql --schema FILE                  tables, columns and their Jet types
//   qvsql --translate [FILE] "SQL"       the SQLite text a statement becomes

#include "jet/DatabasePassword.h"
#include "platform/shell/ProgramOptions.h"
#include "SqlShell.h"

#include <cstdio>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace {

constexpr int exitFailure = 1;

shell::ProgramHelp qvsqlHelp(const QCommandLineParser& parser)
{
    // The option lines as the parser lays them out, below our own usage lines.
    const QString options = parser.helpText().section(QStringLiteral("Options:"), 1);
    return {.name = QStringLiteral("qvsql"),
            .synopses = {QStringLiteral("[--password PW] FILE [SQL...]"),
                         QStringLiteral("[--password PW] FILE -f SCRIPT"),
                         QStringLiteral("--create FILE"), QStringLiteral("--schema FILE"),
                         QStringLiteral("--translate [FILE] SQL...")},
            .summary = parser.applicationDescription(),
            .details = QStringLiteral("Options:") + options,
            .valueOptions = {QStringLiteral("--password"), QStringLiteral("-f")}};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qvsql"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Runs Jet SQL on a database file. Rows print as tab-separated text with a "
                       "header line; Null prints as an empty field."));
    // -h and -? as before; --help and --version are answered the same way in every program.
    QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("?")},
                                  QStringLiteral("Display this help and exit."));
    helpOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(helpOption);
    const QCommandLineOption createOption(QStringLiteral("create"),
                                          QStringLiteral("Make a new, empty database FILE."));
    const QCommandLineOption schemaOption(QStringLiteral("schema"),
                                          QStringLiteral("Print the tables and columns."));
    const QCommandLineOption translateOption(
        QStringLiteral("translate"), QStringLiteral("Print the SQLite text of each statement."));
    const QCommandLineOption passwordOption(
        QStringLiteral("password"),
        QStringLiteral("Database password (default: the system's password)."), QStringLiteral("PW"),
        jet::DatabasePassword::systemPassword());
    const QCommandLineOption fileOption(QStringLiteral("f"),
                                        QStringLiteral("Run the statements of SCRIPT."),
                                        QStringLiteral("SCRIPT"));
    parser.addOptions({createOption, schemaOption, translateOption, passwordOption, fileOption});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The database file."));
    parser.addPositionalArgument(QStringLiteral("SQL"), QStringLiteral("Statements to run."),
                                 QStringLiteral("[SQL...]"));
    const shell::ProgramHelp help = qvsqlHelp(parser);
    const QStringList given = QCoreApplication::arguments().mid(1);
    if (const std::optional<int> answered = shell::answerStandardOptions(help, given))
        return *answered;
    if (!parser.parse(QCoreApplication::arguments()))
        return shell::usageError(help, parser.errorText());
    if (parser.isSet(helpOption))
        return shell::answerStandardOptions(help, {QStringLiteral("--help")}).value_or(0);

    QStringList arguments = parser.positionalArguments();
    const QString password = parser.value(passwordOption);

    if (parser.isSet(createOption)) {
        if (arguments.size() != 1) {
            return shell::usageError(help, QStringLiteral("--create takes one FILE."));
        }
        return SqlShell::create(arguments.front(), password, err) ? 0 : exitFailure;
    }

    SqlShell shell(out, err);
    if (parser.isSet(translateOption)) {
        // A FILE is optional: with one, names of its tables and columns are known.
        if (arguments.size() >= 2 && QFileInfo(arguments.front()).isFile()) {
            if (!shell.open(arguments.takeFirst(), password)) {
                return exitFailure;
            }
        }
        if (arguments.isEmpty()) {
            return shell::usageError(help, QStringLiteral("--translate needs a statement."));
        }
        bool ok = true;
        for (const QString& statement : arguments) {
            ok = shell.printTranslation(statement) && ok;
        }
        return ok ? 0 : exitFailure;
    }

    if (arguments.isEmpty()) {
        return shell::usageError(help, QStringLiteral("No database FILE given."));
    }
    if (!shell.open(arguments.takeFirst(), password)) {
        return exitFailure;
    }
    if (parser.isSet(schemaOption)) {
        return shell.printSchema() ? 0 : exitFailure;
    }
    if (parser.isSet(fileOption)) {
        QFile script(parser.value(fileOption));
        if (!script.open(QIODevice::ReadOnly | QIODevice::Text)) {
            err << "qvsql: Cannot read the script '" << script.fileName()
                << "': " << script.errorString() << "\n";
            return exitFailure;
        }
        if (!shell.runScript(QString::fromUtf8(script.readAll()))) {
            return exitFailure;
        }
    }
    for (const QString& statement : arguments) {
        if (!shell.run(statement)) {
            return exitFailure;
        }
    }
    if (!parser.isSet(fileOption) && arguments.isEmpty()) {
        QTextStream in(stdin);
        if (isatty(STDIN_FILENO)) {
            shell.runInteractive(in);
        } else if (!shell.runScript(in.readAll())) {
            return exitFailure;
        }
    }
    return 0;
}
