// A picture item rasterised inside its box by the page renderer.

#include "platform/reportengine/export/ItemPicture.h"

#include "platform/reportengine/page/Page.h"
#include "platform/reportengine/render/PageRenderer.h"

#include <algorithm>

namespace report {

namespace {

constexpr double kMinDpi = 72.0;
constexpr double kMaxDpi = 300.0;

// Enough dots per inch to keep the source pixels, within limits that keep files small.
double pictureDpi(const QImage& source, const TwipRect& box)
{
    const double across = source.width() * double(kTwipsPerInch) / box.width;
    const double down = source.height() * double(kTwipsPerInch) / box.height;
    return std::clamp(std::max(across, down), kMinDpi, kMaxDpi);
}

} // namespace

QImage itemPicture(const ImageItem& item, const ImageStore& images)
{
    const QImage source = images.image(item.imageId);
    if (source.isNull() || item.rect.width <= 0 || item.rect.height <= 0)
        return {};
    Page alone;
    alone.paperWidth = item.rect.width;
    alone.paperHeight = item.rect.height;
    ImageItem placed = item;
    placed.rect.left = 0;
    placed.rect.top = 0;
    alone.items.emplace_back(placed);
    return renderPageImage(alone, images, pictureDpi(source, item.rect));
}

} // namespace report
