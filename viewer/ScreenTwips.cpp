// Twips of a window's screen in pixels.
#include "viewer/ScreenTwips.h"

#include <QScreen>
#include <QWidget>

namespace lumesk {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultDpi = 96.0; // without a screen: 15 twips per pixel

int toPixels(int twips, double dpi)
{
    return qRound(twips * (dpi > 0 ? dpi : kDefaultDpi) / kTwipsPerInch);
}

} // namespace

int twipsToPixelsX(const QWidget& widget, int twips)
{
    const QScreen* screen = widget.screen();
    return toPixels(twips, screen != nullptr ? screen->logicalDotsPerInchX() : kDefaultDpi);
}

int twipsToPixelsY(const QWidget& widget, int twips)
{
    const QScreen* screen = widget.screen();
    return toPixels(twips, screen != nullptr ? screen->logicalDotsPerInchY() : kDefaultDpi);
}

} // namespace lumesk
