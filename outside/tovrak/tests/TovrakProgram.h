#pragma once

// Runs the real tovrak program of this build (QV_BIN_DIR) and collects what it reports.

#include "platform/shell/tests/ProgramRun.h"

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>

namespace outside::test {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
    QStringList errorLines() const { return err.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

inline Outcome runTovrak(const QStringList& arguments)
{
    const shell::testing::ProgramRun run = shell::testing::runProgram(
        qEnvironmentVariable("QV_BIN_DIR") + QStringLiteral("/tovrak"), arguments, 60000);
    if (!run.finished) {
        ADD_FAILURE() << "tovrak did not finish";
        return {};
    }
    return {run.exitCode, run.out, run.err};
}

} // namespace outside::test
