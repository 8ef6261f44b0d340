#pragma once

// Where the lines of a text item go inside its box: every output and the paginator place them
// by these two rules, so a line is where the page says, whoever draws or cuts it.

#include "platform/reportengine/page/DisplayItem.h"

namespace report {

// The top of the first line once the block of lines, `blockHeight` tall, is aligned vertically
// in the item's box.
double textBlockTop(const TextItem& item, double blockHeight);
// The left end of a line `lineWidth` wide, aligned horizontally in the item's box. Justified
// lines keep the breaks the paginator measured and start at the left.
double textLineLeft(const TextItem& item, double lineWidth);

} // namespace report
