#pragma once

// Lengths of the report engine. Every position and size on a report is in twips (1/1440 inch),
// from the design through the generated pages; only a renderer turns twips into device units.

#include <QRect>

namespace report {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPoint = 20;

// A rectangle in twips, given by its edges' origin and its extent (not QRect's inclusive
// right/bottom, which would be off by one twip everywhere).
struct TwipRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const noexcept { return left + width; }
    int bottom() const noexcept { return top + height; }
    TwipRect translated(int dx, int dy) const noexcept
    {
        return {left + dx, top + dy, width, height};
    }
    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

} // namespace report
