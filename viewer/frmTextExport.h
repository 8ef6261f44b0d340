#pragma once

// frmTextExport "Text Export Options": empty lines suppressed or not, the page and field
// delimiters.

#include "viewer/ExportOptionsWindow.h"

namespace lumesk {

class frmTextExport : public ExportOptionsWindow
{
    Q_OBJECT

public:
    frmTextExport(reports::CommonTools& commonTools, QWidget* owner);
};

} // namespace lumesk
