// Bands: moving, stacking and cutting them at page ends.
#include "platform/reportengine/generate/Band.h"

#include "platform/reportengine/page/TextPlacement.h"

#include <algorithm>

namespace report {
namespace {

int itemTop(const DisplayItem& item)
{
    return std::visit(
        [](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, LineItem>)
                return std::min(value.y1, value.y2);
            else
                return value.rect.top;
        },
        item);
}

int itemBottom(const DisplayItem& item)
{
    return std::visit(
        [](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, LineItem>)
                return std::max(value.y1, value.y2);
            else
                return value.rect.bottom();
        },
        item);
}

// Where the first line of a text block starts inside its box.
int firstLineTop(const TextItem& text)
{
    const int block = static_cast<int>(text.lines.size()) * text.lineHeight;
    return static_cast<int>(textBlockTop(text, block));
}

// The lowest text line boundary at or above y; the top of the box when no line fits.
int textCut(const TextItem& text, int y)
{
    if (text.lineHeight <= 0 || text.lines.isEmpty())
        return y;
    const int first = firstLineTop(text);
    if (y >= first + static_cast<int>(text.lines.size()) * text.lineHeight)
        return y; // only empty box below the last line
    const int whole = (y - first) / text.lineHeight;
    if (whole <= 0)
        return text.rect.top;
    return first + std::min<int>(whole, static_cast<int>(text.lines.size())) * text.lineHeight;
}

// Where an item that crosses y lets a cut go: y itself when it can be divided there.
int cutThrough(const DisplayItem& item, int y)
{
    return std::visit(
        [y](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, TextItem>) {
                return textCut(value, y);
            } else if constexpr (std::is_same_v<T, ImageItem>) {
                return value.rect.top;
            } else {
                return y; // boxes and vertical lines divide anywhere
            }
        },
        item);
}

std::pair<DisplayItem, DisplayItem> divide(const DisplayItem& item, int y)
{
    return std::visit(
        [y](const auto& value) -> std::pair<DisplayItem, DisplayItem> {
            using T = std::decay_t<decltype(value)>;
            T head = value;
            T tail = value;
            if constexpr (std::is_same_v<T, LineItem>) {
                // Vertical line: both parts keep its x.
                head.y1 = std::min(value.y1, value.y2);
                head.y2 = y;
                tail.y1 = y;
                tail.y2 = std::max(value.y1, value.y2);
            } else if constexpr (std::is_same_v<T, TextItem>) {
                const int first = firstLineTop(value);
                const int linesAbove = value.lineHeight > 0
                                           ? std::clamp((y - first) / value.lineHeight, 0,
                                                        static_cast<int>(value.lines.size()))
                                           : static_cast<int>(value.lines.size());
                head.lines = value.lines.mid(0, linesAbove);
                tail.lines = value.lines.mid(linesAbove);
                head.valign = VAlign::Top;
                tail.valign = VAlign::Top;
                head.rect.top = first;
                head.rect.height = y - first;
                tail.rect.top = y;
                tail.rect.height = std::max(value.rect.bottom() - y,
                                            static_cast<int>(tail.lines.size()) * value.lineHeight);
            } else {
                head.rect.height = y - value.rect.top;
                tail.rect.top = y;
                tail.rect.height = value.rect.bottom() - y;
            }
            return {DisplayItem(std::move(head)), DisplayItem(std::move(tail))};
        },
        item);
}

bool isEmptyText(const DisplayItem& item)
{
    const auto* text = std::get_if<TextItem>(&item);
    return text && text->lines.isEmpty() && !text->backColor;
}

} // namespace

void Band::translate(int dx, int dy)
{
    for (auto& item : items) {
        std::visit(
            [dx, dy](auto& value) {
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, LineItem>) {
                    value.x1 += dx;
                    value.x2 += dx;
                    value.y1 += dy;
                    value.y2 += dy;
                } else {
                    value.rect = value.rect.translated(dx, dy);
                }
            },
            item);
    }
    for (auto& entry : toc)
        entry.y += dy;
}

void Band::append(Band other, int y)
{
    other.translate(0, y);
    items.insert(items.end(), std::make_move_iterator(other.items.begin()),
                 std::make_move_iterator(other.items.end()));
    toc.insert(toc.end(), other.toc.begin(), other.toc.end());
    height = std::max(height, y + other.height);
}

int findCut(const Band& band, int limit)
{
    int y = std::clamp(limit, 0, band.height);
    for (bool moved = true; moved && y > 0;) {
        moved = false;
        for (const auto& item : band.items) {
            if (itemTop(item) < y && itemBottom(item) > y) {
                const int cut = cutThrough(item, y);
                if (cut < y) {
                    y = std::max(cut, 0);
                    moved = true;
                }
            }
        }
    }
    return y;
}

std::pair<Band, Band> cutBand(Band band, int y)
{
    Band head;
    Band tail;
    head.height = y;
    tail.height = std::max(band.height - y, 0);
    for (auto& item : band.items) {
        const int top = itemTop(item);
        const int bottom = itemBottom(item);
        if (bottom <= y) {
            head.items.push_back(std::move(item));
        } else if (top >= y) {
            tail.items.push_back(std::move(item));
        } else {
            auto [upper, lower] = divide(item, y);
            head.items.push_back(std::move(upper));
            if (!isEmptyText(lower))
                tail.items.push_back(std::move(lower));
        }
    }
    for (const auto& entry : band.toc)
        (entry.y < y ? head.toc : tail.toc).push_back(entry);
    tail.translate(0, -y);
    return {std::move(head), std::move(tail)};
}

} // namespace report
