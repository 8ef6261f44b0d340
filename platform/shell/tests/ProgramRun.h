#pragma once

// Running a program from a test, ours or one of the machine's: never waiting without a limit,
// and keeping what it printed on each channel (a process in merged-channel mode has it all in
// `out`).

#include <QProcess>
#include <QString>
#include <QStringList>

namespace shell::testing {

struct ProgramRun
{
    bool finished = false; // it started and ended within the time allowed
    int exitCode = -1;     // -1 unless it ended by itself: killed, crashed or never started
    QString out;
    QString err;
};

// Waits for a started `process` to end, kills it after `timeoutMs`, and collects what it left.
inline ProgramRun finishProgram(QProcess& process, int timeoutMs)
{
    ProgramRun run;
    if (!process.waitForStarted(10000))
        return run;
    run.finished = process.waitForFinished(timeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(10000);
    } else if (process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Runs `program` with no input, as finishProgram does.
inline ProgramRun runProgram(const QString& program, const QStringList& arguments,
                             int timeoutMs = 120000)
{
    QProcess process;
    process.start(program, arguments);
    process.closeWriteChannel();
    return finishProgram(process, timeoutMs);
}

} // namespace shell::testing
