#pragma once

// A headless export stopped by SIGINT or SIGTERM (Ctrl+C, a service manager, a killed script)
// leaves no partial file behind: while an InterruptedExport lives, those signals remove every
// unfinished export file first and then end the program as the signal would have. The file
// under the chosen name is then the previous one, or none.

namespace host {

class InterruptedExport
{
public:
    InterruptedExport();
    ~InterruptedExport(); // the signals' earlier handlers come back
    InterruptedExport(const InterruptedExport&) = delete;
    InterruptedExport& operator=(const InterruptedExport&) = delete;
};

} // namespace host
