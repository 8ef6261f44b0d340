#pragma once

// Twips (1/1440 inch) of the window's screen in pixels, as the window's layout gives its
// lengths in twips.

class QWidget;

namespace lumesk {

int twipsToPixelsX(const QWidget& widget, int twips);
int twipsToPixelsY(const QWidget& widget, int twips);

} // namespace lumesk
