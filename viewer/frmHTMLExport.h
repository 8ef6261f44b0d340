#pragma once

// frmHTMLExport "Web HTML Export Options": character set, stylesheet file, framesets, extra
// HEAD content, picture quality, MHT archive, one file per page, table of contents and the
// page title.

#include "viewer/ExportOptionsWindow.h"

namespace lumesk {

class frmHTMLExport : public ExportOptionsWindow
{
    Q_OBJECT

public:
    frmHTMLExport(reports::CommonTools& commonTools, QWidget* owner);
};

} // namespace lumesk
