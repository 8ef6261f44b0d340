#pragma once

// A picture item as the page shows it: rasterised by the engine's renderer inside the item's
// box (its size mode applied, white where the picture leaves the box empty), at a resolution
// that keeps the picture's own detail. The exports that store pictures as image files use it,
// so every format shows the same part of the picture at the same place.

#include "platform/reportengine/page/DisplayItem.h"
#include "platform/reportengine/page/ImageStore.h"

#include <QImage>

namespace report {

// The item's box as an image; a null image when the box is empty or the picture unknown.
QImage itemPicture(const ImageItem& item, const ImageStore& images);

} // namespace report
