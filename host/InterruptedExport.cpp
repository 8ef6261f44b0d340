// The signal handlers of a headless export.
#include "host/InterruptedExport.h"

#include "platform/reportengine/export/PartialFile.h"

#include <csignal>

namespace host {
namespace {

struct sigaction g_previousInt;
struct sigaction g_previousTerm;

extern "C" void removePartialFilesAndDie(int signalNumber)
{
    report::PartialFile::removeUnfinishedFiles();
    // End as the signal would have, so the caller sees how the program ended.
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void install(int signalNumber, struct sigaction& previous)
{
    struct sigaction action = {};
    action.sa_handler = removePartialFilesAndDie;
    sigemptyset(&action.sa_mask);
    sigaction(signalNumber, &action, &previous);
}

} // namespace

InterruptedExport::InterruptedExport()
{
    install(SIGINT, g_previousInt);
    install(SIGTERM, g_previousTerm);
}

InterruptedExport::~InterruptedExport()
{
    sigaction(SIGINT, &g_previousInt, nullptr);
    sigaction(SIGTERM, &g_previousTerm, nullptr);
}

} // namespace host
