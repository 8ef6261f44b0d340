// frmTextExport: the text export's options window.
#include "viewer/frmTextExport.h"

#include "viewer/ReportExport.h"

namespace lumesk {

frmTextExport::frmTextExport(reports::CommonTools& commonTools, QWidget* owner)
    : ExportOptionsWindow(*report::exportFormat(kExportText), commonTools, owner)
{
    build();
}

} // namespace lumesk
