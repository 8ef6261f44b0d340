#pragma once

// Paints a generated page onto any QPainter: the preview widget, a QPrinter, a QPdfWriter or a
// QImage. One renderer for every output is what makes the screen show what prints.

#include "platform/reportengine/page/ImageStore.h"
#include "platform/reportengine/page/Page.h"

#include <QRectF>

class QPainter;

namespace report {

// Paints `page` so that its paper fills `target` (device coordinates of the painter, usually
// the paper rectangle of the device; the page is scaled uniformly by target width / paper
// width). Text is drawn with the lines the paginator measured; nothing is re-wrapped.
void renderPage(QPainter& painter, const Page& page, const ImageStore& images,
                const QRectF& target);

// A page as an image at `dpi` dots per inch, white paper (for tests, TIFF and previews).
QImage renderPageImage(const Page& page, const ImageStore& images, double dpi);

} // namespace report
