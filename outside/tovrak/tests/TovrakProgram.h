#pragma once

// Runs the real tovrak program of this build (QV_BIN_DIR) and collects what it reports.

#include <gtest/gtest.h>
#include <QProcess>
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
    QProcess process;
    process.start(qEnvironmentVariable("QV_BIN_DIR") + QStringLiteral("/tovrak"), arguments);
    Outcome outcome;
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << "tovrak did not finish: " << process.errorString().toStdString();
        process.kill();
        process.waitForFinished();
        return outcome;
    }
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    outcome.err = QString::fromLocal8Bit(process.readAllStandardError());
    return outcome;
}

} // namespace outside::test
