#pragma once

// Widths of text lines for the renderer: the exact width as drawn, and a quick bound from
// the characters' own advances that spares shaping a line twice when it plainly fits.

#include "platform/reportengine/page/FontSpec.h"

#include <optional>
#include <QFontMetricsF>
#include <QStringView>

namespace report {

// An upper bound of the width of `text` in `font` (twips, as `metrics` measures), or nothing
// when the text has characters the bound does not cover (beyond Latin-1).
std::optional<double> quickWidthBound(const FontSpec& font, const QFontMetricsF& metrics,
                                      QStringView text);

} // namespace report
