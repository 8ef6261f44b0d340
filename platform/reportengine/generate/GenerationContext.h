#pragma once

// What one generation shares across the report and its sub-reports: the text measurer, the
// image store of the page collection (with a cache of the pictures already stored), the stop
// request of the report being generated, and the pump that lets pending events run.

#include "platform/reportengine/generate/TextMeasurer.h"
#include "platform/reportengine/page/ImageStore.h"

#include <cstdint>
#include <functional>
#include <QElapsedTimer>
#include <QHash>
#include <QImage>

namespace report {

class GenerationContext
{
public:
    GenerationContext(ImageStore& images, std::function<bool()> stopRequested);

    TextMeasurer& measurer() noexcept { return m_measurer; }
    // The store's id of a picture; a picture shown on every row is stored and hashed once.
    std::uint32_t imageId(const QImage& image);
    bool stopRequested() const { return m_stopRequested && m_stopRequested(); }
    // Lets pending events run when some time has passed since they last ran.
    void pumpEvents();
    // Lets pending events run now.
    void pumpEventsNow();

private:
    TextMeasurer m_measurer;
    ImageStore& m_images;
    QHash<qint64, std::uint32_t> m_imageIds; // QImage::cacheKey -> id
    std::function<bool()> m_stopRequested;
    QElapsedTimer m_sincePump;
};

} // namespace report
