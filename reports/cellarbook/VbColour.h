#pragma once

// A VB colour number (red in the low byte, then green, then blue) as an opaque Qt colour.

#include <QRgb>

namespace parvello {

constexpr QRgb vbColour(int colour)
{
    return qRgb(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff);
}

} // namespace parvello
