#pragma once

// Turns a section whose fields are bound and whose Format has run into a band: grown text is
// measured (text boxes with CanGrow, sub-reports run at their containers), BeforePrint runs and
// sees the grown heights, then what it set takes effect: controls below a grown control move
// down by its growth, the section grows (CanGrow) or shrinks (CanShrink) to its content, and the
// band is drawn. Heights and tops return to what they were before measuring, so the next row
// starts from the layout as Format left it.

#include "platform/reportengine/generate/Band.h"

#include <optional>

namespace report {

class GenerationContext;
class Report;
class Section;

// Null when the section is hidden (after Format). `xOrigin` is the page x of the section's
// left edge and `width` its width (the report's print width, or a sub-report container's).
std::optional<Band> layoutSection(GenerationContext& context, Report& report, Section& section,
                                  int xOrigin, int width);

} // namespace report
