// The export types of the viewer's menu and the export hook.
#include "viewer/ReportExport.h"

using namespace Qt::StringLiterals;

namespace lumesk {

int exportTypeOf(const QString& typeName)
{
    const QString upper = typeName.toUpper();
    if (upper == u"TEXT"_s)
        return kExportText;
    if (upper == u"PDF"_s)
        return kExportPDF;
    if (upper == u"RTF"_s)
        return kExportRTF;
    if (upper == u"HTML"_s)
        return kExportHTML;
    if (upper == u"EXCEL"_s)
        return kExportExcel;
    if (upper == u"TIF"_s)
        return kExportTIF;
    return 0;
}

void ExportReport(frmReportViewer&, int)
{
    // The export options windows and the export run are added here.
}

} // namespace lumesk
