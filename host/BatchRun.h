#pragma once

// A headless report run: the registered installation, the batch viewer in place of the report
// viewer, the report's module run once. Messages go to standard error; the result is the
// program's exit status.

#include "host/CommandLine.h"

namespace host {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitReportFailed = 1;
inline constexpr int kExitUsage = 64;

int runBatch(const BatchCommand& command);

} // namespace host
