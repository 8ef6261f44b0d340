#pragma once

// A wine list of several pages as the PDF, Excel and TIFF export tests read it back: a title,
// group headers with table-of-contents entries on two levels, shaded detail rows with numbers,
// a picture, "Page N of M", non-Latin names and "&" and "<" in the data.

#include "platform/reportengine/page/PageDocument.h"

#include <QStringList>

namespace report::testing {

// Fills `document` with `pages` pages (at least 2) and marks it finished.
void fillWineList(PageDocument& document, int pages = 3);

// The texts of the detail rows of page `index` (0-based), in the order they appear.
QStringList wineListNames(int index);

} // namespace report::testing
