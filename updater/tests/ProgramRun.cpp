#include "ProgramRun.h"

#include "platform/shell/tests/ProgramRun.h"

#include <QProcessEnvironment>

namespace updater::testing {

namespace {

void prepare(QProcess& process, const QString& program, const QStringList& arguments,
             const QStringList& environment)
{
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const QString& entry : environment)
        variables.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(variables);
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::MergedChannels);
}

} // namespace

ProgramResult runTestProgram(const QStringList& arguments, const QStringList& environment,
                             int timeoutMs)
{
    return runProgram(QStringLiteral(TRAVONE_TEST_PROGRAM), arguments, environment, timeoutMs);
}

ProgramResult runProgram(const QString& program, const QStringList& arguments,
                         const QStringList& environment, int timeoutMs)
{
    QProcess process;
    prepare(process, program, arguments, environment);
    process.start();
    const shell::testing::ProgramRun run = shell::testing::finishProgram(process, timeoutMs);
    return {run.finished, run.exitCode, run.out}; // the channels are merged
}

bool runAndKill(int delayMs, const QStringList& arguments, const QStringList& environment)
{
    QProcess process;
    prepare(process, QStringLiteral(TRAVONE_TEST_PROGRAM), arguments, environment);
    process.start();
    if (!process.waitForStarted(10000))
        return false;
    if (process.waitForFinished(delayMs))
        return false;
    process.kill(); // SIGKILL: no clean-up of any kind runs
    process.waitForFinished(10000);
    return true;
}

} // namespace updater::testing
