// SheetGrid: column and row boundaries from box edges, merged and trimmed.

#include "platform/reportengine/export/SheetGrid.h"

#include <algorithm>
#include <numeric>

namespace report {

namespace {

// Sorted edges reduced to boundaries: an edge within `tolerance` of the previous boundary is
// that boundary, and one closer than `minimum` would make too narrow a band and is dropped.
// The last edge is the far end of the content: it closes the last band.
std::vector<int> boundaries(std::vector<int> edges, int tolerance, int minimum)
{
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    const int closest = std::max({tolerance, minimum, 1});
    std::vector<int> kept{edges.front()};
    for (std::size_t i = 1; i + 1 < edges.size(); ++i)
        if (edges[i] - kept.back() >= closest)
            kept.push_back(edges[i]);
    // The far end only closes the last band, which is made no narrower than the minimum.
    kept.push_back(std::max(edges.back(), kept.back() + closest));
    return kept;
}

// The band an edge at `position` starts in: the last boundary at or before it, an edge
// slightly left of a boundary (within `tolerance`) counting as on it.
int bandOf(const std::vector<int>& bounds, int position, int tolerance)
{
    const auto after = std::upper_bound(bounds.begin(), bounds.end(), position + tolerance);
    const int index = static_cast<int>(after - bounds.begin()) - 1;
    return std::clamp(index, 0, std::max(0, static_cast<int>(bounds.size()) - 2));
}

// The paper's margins before and after the content as bands of their own, however narrow.
void addMargins(std::vector<int>& bounds, int paperExtent)
{
    if (bounds.front() > 0)
        bounds.insert(bounds.begin(), 0);
    if (paperExtent > bounds.back())
        bounds.push_back(paperExtent);
}

std::vector<int> columnBoundaries(const std::vector<GridPage>& pages,
                                  const SheetGridOptions& options)
{
    std::vector<int> edges;
    for (const GridPage& page : pages) {
        for (const TwipRect& box : page.boxes) {
            edges.push_back(box.left);
            if (options.doubleBoundaries)
                edges.push_back(box.right());
        }
    }
    int right = 0;
    int paperWidth = 0;
    for (const GridPage& page : pages) {
        paperWidth = std::max(paperWidth, page.paperWidth);
        for (const TwipRect& box : page.boxes)
            right = std::max(right, box.right());
    }
    edges.push_back(right);
    std::vector<int> bounds =
        boundaries(std::move(edges), options.borderSpace, options.minColumnWidth);
    if (options.showMarginSpace)
        addMargins(bounds, paperWidth);
    return bounds;
}

std::vector<int> rowBoundaries(const GridPage& page, const SheetGridOptions& options)
{
    std::vector<int> edges;
    int bottom = 0;
    for (const TwipRect& box : page.boxes) {
        edges.push_back(box.top);
        if (options.doubleBoundaries)
            edges.push_back(box.bottom());
        bottom = std::max(bottom, box.bottom());
    }
    edges.push_back(bottom);
    std::vector<int> bounds =
        boundaries(std::move(edges), options.borderSpace, options.minRowHeight);
    if (options.showMarginSpace)
        addMargins(bounds, page.paperHeight);
    return bounds;
}

std::vector<int> bandSizes(const std::vector<int>& bounds)
{
    std::vector<int> sizes;
    for (std::size_t i = 1; i < bounds.size(); ++i)
        sizes.push_back(bounds[i] - bounds[i - 1]);
    if (sizes.empty())
        sizes.push_back(0);
    return sizes;
}

// Renumbers bands so that only the used ones remain: `used[i]` says whether band i stays.
std::vector<int> keptIndexes(const std::vector<bool>& used)
{
    std::vector<int> index(used.size(), 0);
    int next = 0;
    for (std::size_t i = 0; i < used.size(); ++i) {
        index[i] = std::max(0, used[i] ? next : next - 1);
        next += used[i] ? 1 : 0;
    }
    return index;
}

void trimColumns(SheetLayout& layout, const SheetGridOptions& options)
{
    std::vector<bool> used(layout.columnWidths.size(), false);
    for (const auto& page : layout.places)
        for (const CellPlace& place : page)
            used[static_cast<std::size_t>(place.column)] = true;
    if (options.showMarginSpace && !used.empty())
        used.front() = true; // the left margin is what the option shows
    const std::vector<int> index = keptIndexes(used);
    std::vector<int> widths;
    for (std::size_t i = 0; i < used.size(); ++i)
        if (used[i])
            widths.push_back(layout.columnWidths[i]);
    for (auto& page : layout.places)
        for (CellPlace& place : page)
            place.column = index[static_cast<std::size_t>(place.column)];
    if (!widths.empty())
        layout.columnWidths = std::move(widths);
}

} // namespace

SheetLayout layOutSheet(const std::vector<GridPage>& pages, const SheetGridOptions& options)
{
    SheetLayout layout;
    const std::vector<int> columns = columnBoundaries(pages, options);
    layout.columnWidths = bandSizes(columns);
    for (const GridPage& page : pages) {
        const std::vector<int> rows = rowBoundaries(page, options);
        std::vector<int> heights = bandSizes(rows);
        std::vector<CellPlace> places;
        std::vector<bool> used(heights.size(), false);
        std::vector<int> contentBottom(heights.size(), 0);
        for (const TwipRect& box : page.boxes) {
            const int row = bandOf(rows, box.top, options.borderSpace);
            places.push_back({row, bandOf(columns, box.left, options.borderSpace)});
            used[static_cast<std::size_t>(row)] = true;
            contentBottom[static_cast<std::size_t>(row)] =
                std::max(contentBottom[static_cast<std::size_t>(row)], box.bottom() - rows[row]);
        }
        if (options.trimEmptySpace) {
            if (options.showMarginSpace && used.size() > 1) {
                used.front() = true;
                used.back() = true;
            }
            const std::vector<int> index = keptIndexes(used);
            std::vector<int> trimmed;
            for (std::size_t i = 0; i < heights.size(); ++i)
                if (used[i])
                    trimmed.push_back(
                        contentBottom[i] > 0
                            ? std::min(heights[i], contentBottom[i] + options.borderSpace)
                            : heights[i]);
            for (CellPlace& place : places)
                place.row = index[static_cast<std::size_t>(place.row)];
            if (!trimmed.empty())
                heights = std::move(trimmed);
        }
        const int first = static_cast<int>(layout.rowHeights.size());
        layout.pageFirstRows.push_back(first);
        for (CellPlace& place : places)
            place.row += first;
        layout.rowHeights.insert(layout.rowHeights.end(), heights.begin(), heights.end());
        layout.places.push_back(std::move(places));
    }
    if (options.trimEmptySpace)
        trimColumns(layout, options);
    return layout;
}

} // namespace report
