#pragma once

// A band: one placed section (or a run of a sub-report) as drawing items, positioned with x on
// the page and y from the band's own top, ready to be put on a page at any height. A band that
// does not fit the rest of a page is cut: never through a picture or a line of text, and what
// lies below the cut goes on with the next page.

#include "platform/reportengine/page/DisplayItem.h"

#include <utility>
#include <vector>

namespace report {

struct Band
{
    int height = 0;
    std::vector<DisplayItem> items;
    std::vector<TocEntry> toc;

    bool isEmpty() const noexcept { return items.empty() && toc.empty(); }
    // Moves every item down by dy (and right by dx).
    void translate(int dx, int dy);
    // Appends `other` below what is here, at y.
    void append(Band other, int y);
};

// The lowest y, at most `limit`, at which `band` can be cut without cutting a picture, a
// horizontal line or a text line. 0 when nothing fits above the limit.
int findCut(const Band& band, int limit);

// Cuts `band` at y (as found by findCut): the part above, and the part below moved up by y.
// Items crossing y are divided (text by lines, boxes and vertical lines by their extent).
std::pair<Band, Band> cutBand(Band band, int y);

} // namespace report
