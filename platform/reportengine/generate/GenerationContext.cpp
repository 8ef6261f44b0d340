// The shared state of one generation.
#include "platform/reportengine/generate/GenerationContext.h"

#include "platform/shell/Shell.h"

namespace report {
namespace {

constexpr qint64 kPumpIntervalMs = 30;

} // namespace

GenerationContext::GenerationContext(ImageStore& images, std::function<bool()> stopRequested)
    : m_images(images), m_stopRequested(std::move(stopRequested))
{
    m_sincePump.start();
}

void GenerationContext::pumpEvents()
{
    if (m_sincePump.elapsed() >= kPumpIntervalMs)
        pumpEventsNow();
}

void GenerationContext::pumpEventsNow()
{
    shell::doEvents();
    m_sincePump.restart();
}

} // namespace report
