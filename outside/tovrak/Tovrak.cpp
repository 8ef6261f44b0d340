#include "Tovrak.h"

#include "DatabaseCompactor.h"
#include "outside/tovrak/Installation.h"
#include "platform/vb/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace tovrak {

namespace {

const QString hostProgram = QStringLiteral("quorvex");

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Compacts one file; false (with a line on `err`) when it was not compacted.
bool compactOne(const QString& path, QTextStream& out, QTextStream& err)
{
    try {
        const CompactionResult result = compactDatabase(path);
        out << QStringLiteral("Compacted %1: %2 -> %3 bytes")
                   .arg(shown(path))
                   .arg(result.sizeBefore)
                   .arg(result.sizeAfter)
            << Qt::endl;
        return true;
    } catch (const vb::Error& error) {
        // Our own reasons read on from the file name; others are whole sentences.
        const QString reason =
            error.source() == QLatin1String("tovrak")
                ? error.description()
                : QStringLiteral("could not be compacted: ") + error.description();
        err << QStringLiteral("tovrak: %1 %2").arg(shown(path), reason) << Qt::endl;
    } catch (const std::exception& error) {
        err << QStringLiteral("tovrak: %1 could not be compacted: %2")
                   .arg(shown(path), QString::fromLocal8Bit(error.what()))
            << Qt::endl;
    }
    return false;
}

// Starts the host application of the installation, when it is there.
bool restartHost(const QString& installationFolder, QTextStream& out, QTextStream& err)
{
    const QString program = QDir(installationFolder).filePath(hostProgram);
    const QFileInfo info(program);
    if (!info.isFile()) {
        out << QStringLiteral("Not restarted: %1 is not installed").arg(shown(program)) << Qt::endl;
        return true;
    }
    if (!info.isExecutable() || !QProcess::startDetached(program, {}, installationFolder)) {
        err << QStringLiteral("tovrak: %1 could not be started; start it yourself")
                   .arg(shown(program))
            << Qt::endl;
        return false;
    }
    out << QStringLiteral("Started %1").arg(shown(program)) << Qt::endl;
    return true;
}

} // namespace

std::optional<Options> parseArguments(const QStringList& arguments, QString& problem)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("restart") && !options.restart) {
            options.restart = true;
        } else if (argument == QLatin1String("--tools") && options.toolsFolder.isEmpty()) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                problem = QStringLiteral("--tools needs a folder");
                return std::nullopt;
            }
            options.toolsFolder = arguments.at(++i);
            // Without it the databases named in the registry would be compacted instead.
            if (!QFileInfo(options.toolsFolder).isDir()) {
                problem = u"--tools: the folder '%1' does not exist"_s.arg(
                    QDir::toNativeSeparators(options.toolsFolder));
                return std::nullopt;
            }
        } else {
            problem = QStringLiteral("unexpected argument '%1'").arg(argument);
            return std::nullopt;
        }
    }
    return options;
}

int run(const Options& options, QTextStream& out, QTextStream& err)
{
    const outside::Installation installation(options.toolsFolder.isEmpty()
                                                 ? QCoreApplication::applicationDirPath()
                                                 : options.toolsFolder);
    bool allCompacted = true;
    for (const QString& path : installation.databases())
        allCompacted = compactOne(path, out, err) && allCompacted;
    if (options.restart)
        allCompacted = restartHost(installation.installationFolder(), out, err) && allCompacted;
    return allCompacted ? exitAllCompacted : exitSomeFailed;
}

QString help()
{
    return QStringLiteral(
        "Compacts the databases of the installation whose tools folder is DIR (default: the\n"
        "folder tovrak is in): the main wine database and the language database named in the\n"
        "registry (default csample.qvd and english.lan above the tools folder), settings.dat\n"
        "and weblinks.dat. A database that another program has open is left alone.\n"
        "restart: afterwards start the host application 'quorvex' of the installation (the\n"
        "folder above the tools folder) when it is there, whatever the outcome.\n"
        "Exit status 0 when every database was compacted, 1 when any was not (one line per\n"
        "failure on standard error), 64 for a command line that cannot be understood.\n");
}

} // namespace tovrak
