#pragma once

// The plain PDF of a page collection: QPdfWriter through the renderer, one PDF page per page
// on that page's paper, fonts embedded and text selectable.

#include "platform/reportengine/page/PageDocument.h"

#include <functional>
#include <QString>

namespace report {

// Writes every page of `document` to `fileName`, calling progress(n) after page n (1-based).
// The file appears only when complete (written beside it first, then renamed); a file that
// cannot be written raises vb::Error 75 naming it, and leaves nothing behind.
void writePdf(const PageDocument& document, const QString& fileName,
              const std::function<void(int)>& progress);

} // namespace report
