// The text lines of a page as placed, grouped in reading order.

#include "platform/reportengine/export/TextLines.h"

#include "platform/reportengine/page/TextPlacement.h"

#include <algorithm>
#include <cmath>

namespace report {

namespace {

bool before(const PlacedLine& a, const PlacedLine& b)
{
    if (a.top != b.top)
        return a.top < b.top;
    return a.left < b.left;
}

} // namespace

int lineHeightOf(const TextItem& item)
{
    if (item.lineHeight > 0)
        return item.lineHeight;
    // Single spacing of a sans-serif face is about 1.15 times its size.
    return std::max(1, static_cast<int>(std::lround(item.font.pointSize * kTwipsPerPoint * 1.15)));
}

int firstLineTop(const TextItem& item)
{
    const int block = lineHeightOf(item) * static_cast<int>(item.lines.size());
    return static_cast<int>(textBlockTop(item, block));
}

std::vector<PlacedLine> placedLines(const Page& page)
{
    std::vector<PlacedLine> lines;
    for (std::size_t index = 0; index < page.items.size(); ++index) {
        const auto* item = std::get_if<TextItem>(&page.items[index]);
        if (!item)
            continue;
        const int height = lineHeightOf(*item);
        const int top = firstLineTop(*item);
        for (int line = 0; line < item->lines.size(); ++line) {
            if (item->lines[line].isEmpty())
                continue;
            lines.push_back({item->lines[line], top + line * height, height, item->rect.left,
                             item->rect.right(), item->align, static_cast<int>(index), line});
        }
    }
    return lines;
}

std::vector<std::vector<PlacedLine>> readingRows(std::vector<PlacedLine> lines)
{
    std::stable_sort(lines.begin(), lines.end(), before);
    std::vector<std::vector<PlacedLine>> rows;
    for (PlacedLine& line : lines) {
        if (rows.empty() || line.top >= rows.back().front().top + rows.back().front().height / 2)
            rows.emplace_back();
        rows.back().push_back(std::move(line));
    }
    for (auto& row : rows)
        std::stable_sort(row.begin(), row.end(),
                         [](const PlacedLine& a, const PlacedLine& b) { return a.left < b.left; });
    return rows;
}

std::vector<int> textItemsInReadingOrder(const Page& page)
{
    std::vector<PlacedLine> firsts;
    for (std::size_t index = 0; index < page.items.size(); ++index)
        if (const auto* item = std::get_if<TextItem>(&page.items[index])) {
            PlacedLine first;
            first.top = firstLineTop(*item);
            first.height = lineHeightOf(*item);
            first.left = item->rect.left;
            first.itemIndex = static_cast<int>(index);
            firsts.push_back(first);
        }
    std::vector<int> order;
    for (const auto& row : readingRows(std::move(firsts)))
        for (const PlacedLine& line : row)
            order.push_back(line.itemIndex);
    return order;
}

} // namespace report
