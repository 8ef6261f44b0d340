#pragma once

// Bookmarks (the PDF outline) from the table-of-contents entries of the pages: each entry
// points at its page and height, nested by its level under the nearest entry of a lower level.

#include "platform/reportengine/page/DisplayItem.h"

#include <vector>

class QPDF;

namespace report {

// `tocByPage[i]` holds the entries of page i of `pdf`. Replaces any outline the file had;
// adds none when there are no entries.
void addPdfOutline(QPDF& pdf, const std::vector<std::vector<TocEntry>>& tocByPage);

} // namespace report
