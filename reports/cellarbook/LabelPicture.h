#pragma once

// The wine's label picture on a cellar book page: loaded from the path the wine keeps, or the
// path with a note saying why it is not shown; drawn at its own size when it fits the box and
// zoomed into the box when it does not.

#include "platform/reportengine/model/Control.h"

#include <QString>

namespace parvello {

// Loads the picture at `path` into `image` and returns what the picture-name box shows: ""
// once it is loaded, else the path followed by " doesn't exist!" (no such file) or by a note
// that it cannot be read as a picture. A picture never stops the report.
QString loadLabelPicture(report::Picture& image, const QString& path);

// Clip (natural size) when the picture is smaller than the box both ways, else Zoom. The
// picture's own size (hundredths of a millimetre) is compared in the box's twips.
report::SizeMode labelSizeMode(const report::Picture& image);

} // namespace parvello
