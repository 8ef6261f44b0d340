#pragma once

// The preview toolbar's icons, drawn rather than shipped as files: simple line pictures in
// the palette's text colour that stay sharp at any screen scale.

#include <QIcon>

namespace report {

enum class ToolIcon
{
    Thumbnails,
    Print,
    Find,
    SinglePage,
    Continuous,
    ZoomOut,
    ZoomIn,
    FitWidth,
    FitPage,
    FirstPage,
    PreviousPage,
    NextPage,
    LastPage,
    Stop,
};

QIcon toolIcon(ToolIcon icon);

} // namespace report
