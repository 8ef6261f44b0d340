#pragma once

// Running the updater test program as a separate process, never waiting without a limit.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace updater::testing {

struct ProgramResult
{
    bool finished = false; // false: it did not end within the time allowed and was killed
    int exitCode = -1;
    QString output;
};

// Runs `program` to its end (at most `timeoutMs`), headless.
ProgramResult runProgram(const QString& program, const QStringList& arguments,
                         const QStringList& environment = {}, int timeoutMs = 60000);
// Runs the test program to its end (at most `timeoutMs`).
ProgramResult runTestProgram(const QStringList& arguments, const QStringList& environment = {},
                             int timeoutMs = 60000);
// Starts it and kills it after `delayMs` unless it ended before; true when it was killed.
bool runAndKill(int delayMs, const QStringList& arguments, const QStringList& environment = {});

} // namespace updater::testing
