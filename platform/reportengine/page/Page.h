#pragma once

// One generated page: its paper size and its items in drawing order (later items over earlier
// ones), with the table-of-contents entries that start on it.

#include "platform/reportengine/page/DisplayItem.h"

#include <vector>

namespace report {

struct Page
{
    int paperWidth = 0; // twips, as oriented (landscape pages are wider than tall)
    int paperHeight = 0;
    std::vector<DisplayItem> items;
    std::vector<TocEntry> toc;

    friend bool operator==(const Page&, const Page&) = default;
};

} // namespace report
