#pragma once

// The independent readers the export tests check files with: Debian's command-line tools
// (poppler, qpdf, libtiff's tools, python3 with xlrd), run and read.

#include "platform/shell/tests/ProgramRun.h"

#include <QString>
#include <QStringList>

namespace report::testing {

using ToolResult = shell::testing::ProgramRun;

// Runs `program` (at most `timeoutMs`, then it is killed and the exit code is -1) with no input
// and returns what it printed.
ToolResult runTool(const QString& program, const QStringList& arguments, int timeoutMs = 60'000);
// Its standard output; a failing run fails the test.
QString toolOutput(const QString& program, const QStringList& arguments);

// The folder of the tests' helper scripts (tests/ in the source tree).
QString testScriptFolder();

// A full disk, as far as this process sees: files cannot grow past `bytes` while it lives
// (the file size limit, with its signal ignored so that writes fail with EFBIG instead).
class DiskFullAfter
{
public:
    explicit DiskFullAfter(long bytes);
    ~DiskFullAfter();
    DiskFullAfter(const DiskFullAfter&) = delete;
    DiskFullAfter& operator=(const DiskFullAfter&) = delete;

private:
    unsigned long m_savedLimit = 0;
    void (*m_savedHandler)(int) = nullptr;
};

} // namespace report::testing
