// The export types of the viewer's menu and the export hook.
#include "viewer/ReportExport.h"

#include <QList>
#include <utility>

using namespace Qt::StringLiterals;

namespace lumesk {

int exportTypeOf(const QString& typeName)
{
    static const QList<std::pair<QString, int>> types{
        {u"TEXT"_s, kExportText}, {u"PDF"_s, kExportPDF},     {u"RTF"_s, kExportRTF},
        {u"HTML"_s, kExportHTML}, {u"EXCEL"_s, kExportExcel}, {u"TIF"_s, kExportTIF},
    };
    const QString upper = typeName.toUpper();
    for (const auto& [name, type] : types)
        if (name == upper)
            return type;
    return 0;
}

void ExportReport(frmReportViewer&, int)
{
    // The export options windows and the export run are added here.
}

} // namespace lumesk
