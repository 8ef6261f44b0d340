#pragma once

// What one generation shares across the report and its sub-reports: the text measurer, the
// image store of the page collection, the stop request of the report being generated, and the
// pump that lets pending events run.

#include "platform/reportengine/generate/TextMeasurer.h"
#include "platform/reportengine/page/ImageStore.h"

#include <cstdint>
#include <functional>
#include <QElapsedTimer>
#include <QImage>

namespace report {

class GenerationContext
{
public:
    GenerationContext(ImageStore& images, std::function<bool()> stopRequested);

    TextMeasurer& measurer() noexcept { return m_measurer; }
    // The store's id of a picture (the store finds a picture shown on every row again cheaply).
    std::uint32_t imageId(const QImage& image) { return m_images.add(image); }
    bool stopRequested() const { return m_stopRequested && m_stopRequested(); }
    // Lets pending events run when some time has passed since they last ran.
    void pumpEvents();
    // Lets pending events run now.
    void pumpEventsNow();

private:
    TextMeasurer m_measurer;
    ImageStore& m_images;
    std::function<bool()> m_stopRequested;
    QElapsedTimer m_sincePump;
};

} // namespace report
