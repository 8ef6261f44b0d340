// qvsample: lays out a sample installation of the suite in a new or empty folder.
//
//   qvsample --out DIR [--wines N] [--register]

#include "platform/shell/ProgramOptions.h"
#include "sample/Installation.h"
#include "vb/Error.h"

#include <cstdio>
#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "qvsample: %s\n", qPrintable(message));
    return 1;
}

shell::ProgramHelp qvsampleHelp(const QCommandLineParser& parser)
{
    // The option lines as the parser lays them out, below our own usage line.
    return {.name = QStringLiteral("qvsample"),
            .synopses = {QStringLiteral("--out DIR [--wines N] [--register]")},
            .summary = parser.applicationDescription(),
            .details = QStringLiteral("Options:") +
                       parser.helpText().section(QStringLiteral("Options:"), 1),
            .valueOptions = {QStringLiteral("--out"), QStringLiteral("--wines")}};
}

} // namespace

int main(int argc, char* argv[])
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lays out a sample installation of the suite: the databases at their oldest versions "
        "(main wine database 3, settings 3, weblinks 1), the language database, label pictures "
        "and the suite's programs in Tools/."));
    // -h as before; --help and --version are answered the same way in every program.
    QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("?")},
                                  QStringLiteral("Display this help and exit."));
    helpOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(helpOption);
    const QCommandLineOption out(QStringLiteral("out"),
                                 QStringLiteral("The installation folder (new or empty)."),
                                 QStringLiteral("DIR"));
    const QCommandLineOption wines(QStringLiteral("wines"),
                                   QStringLiteral("Number of wines (1 to %1; default %2).")
                                       .arg(sample::InstallationOptions::maximumWines)
                                       .arg(sample::InstallationOptions::defaultWines),
                                   QStringLiteral("N"));
    const QCommandLineOption registerOption(
        QStringLiteral("register"),
        QStringLiteral("Point the suite at the installation in the registry store "
                       "($QUORVEX_REGISTRY)."));
    parser.addOptions({out, wines, registerOption});
    const shell::ProgramHelp help = qvsampleHelp(parser);
    if (const std::optional<int> answered =
            shell::answerStandardOptions(help, shell::argumentsOf(argc, argv)))
        return *answered;

    // Label pictures are drawn off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qvsample"));
    if (!parser.parse(QCoreApplication::arguments()))
        return shell::usageError(help, parser.errorText());
    if (parser.isSet(helpOption))
        return shell::answerStandardOptions(help, {QStringLiteral("--help")}).value_or(0);

    if (!parser.positionalArguments().isEmpty()) {
        return shell::usageError(
            help,
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().front()));
    }
    if (!parser.isSet(out) || parser.value(out).isEmpty()) {
        return shell::usageError(help,
                                 QStringLiteral("name the installation folder with --out DIR."));
    }
    sample::InstallationOptions options;
    if (parser.isSet(wines)) {
        bool ok = false;
        options.wines = parser.value(wines).toInt(&ok);
        if (!ok) {
            return fail(
                QStringLiteral("--wines takes a whole number, not '%1'.").arg(parser.value(wines)));
        }
    }
    options.registerInstallation = parser.isSet(registerOption);
    options.programFolder = QCoreApplication::applicationDirPath();

    try {
        const sample::InstallationSummary summary =
            sample::writeInstallation(parser.value(out), options);
        std::printf("Sample installation written to %s: %d wines, %d wineries, %d transactions, "
                    "%d tasting notes, %d label pictures; programs copied: %s.\n",
                    qPrintable(QDir::toNativeSeparators(summary.folder)), summary.wines,
                    summary.wineries, summary.transactions, summary.tastingNotes,
                    summary.labelPictures,
                    summary.copiedPrograms.isEmpty()
                        ? "none"
                        : qPrintable(summary.copiedPrograms.join(QStringLiteral(", "))));
        if (options.registerInstallation) {
            std::printf("Registered: the suite now uses this installation (user number %s).\n",
                        qPrintable(summary.uniqueId));
        }
    } catch (const vb::Error& error) {
        return fail(error.description());
    }
    return 0;
}
