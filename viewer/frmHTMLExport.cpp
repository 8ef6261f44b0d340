// frmHTMLExport: the web page export's options window.
#include "viewer/frmHTMLExport.h"

#include "viewer/ReportExport.h"

namespace lumesk {

frmHTMLExport::frmHTMLExport(reports::CommonTools& commonTools, QWidget* owner)
    : ExportOptionsWindow(*report::exportFormat(kExportHTML), commonTools, owner)
{
    build();
}

} // namespace lumesk
