// ExportReaders: external reader programs run for the export tests.

#include "platform/reportengine/tests/ExportReaders.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QFileInfo>
#include <QProcess>
#include <sys/resource.h>

namespace report::testing {

ToolResult runTool(const QString& program, const QStringList& arguments, int timeoutMs)
{
    ToolResult result = shell::testing::runProgram(program, arguments, timeoutMs);
    if (!result.finished)
        result.err = program + QStringLiteral(" did not finish");
    return result;
}

QString toolOutput(const QString& program, const QStringList& arguments)
{
    const ToolResult result = runTool(program, arguments);
    if (result.exitCode != 0)
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(u' ').toStdString()
                      << " failed: " << result.err.toStdString();
    return result.out;
}

QString testScriptFolder()
{
    const QString sourceDir = qEnvironmentVariable("QV_SOURCE_DIR");
    if (!sourceDir.isEmpty())
        return sourceDir + QStringLiteral("/platform/reportengine/tests");
    return QFileInfo(QString::fromUtf8(__FILE__)).absolutePath();
}

DiskFullAfter::DiskFullAfter(long bytes) : m_savedHandler(std::signal(SIGXFSZ, SIG_IGN))
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_savedLimit = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

DiskFullAfter::~DiskFullAfter()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = m_savedLimit;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_savedHandler);
}

} // namespace report::testing
