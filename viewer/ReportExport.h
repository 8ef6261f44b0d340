#pragma once

// Exporting the shown report: the menu item "mnuFile_Export_<type>" names the format, and
// ExportReport runs the export of that format for the viewer window.

#include <QString>

namespace lumesk {

class frmReportViewer;

inline constexpr int kExportText = 1;
inline constexpr int kExportPDF = 2;
inline constexpr int kExportRTF = 3;
inline constexpr int kExportHTML = 4;
inline constexpr int kExportExcel = 5;
inline constexpr int kExportTIF = 6;

// The export type of a menu item's type name, compared in capitals ("Excel" -> 5); 0 for a
// name that is no export type.
int exportTypeOf(const QString& typeName);

// Exports the window's report in one format: the file dialog (a cancel ends it quietly), the
// format's options window filled with the report's stored choices (a cancel stores nothing),
// the choices stored, then the file written with its progress in the window's progress panel.
// A file that could not be written is named in a message box. Unknown types do nothing.
void ExportReport(frmReportViewer& form, int exportType);

} // namespace lumesk
