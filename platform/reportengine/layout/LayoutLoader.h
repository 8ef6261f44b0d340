#pragma once

// Report layouts are data: an XML file per report, usually a Qt resource of its module.
//
//   <report name="rptCellarWineList">
//     <page orientation="-1" paperWidth="12240" paperHeight="15840"
//           leftMargin="720" rightMargin="720" topMargin="720" bottomMargin="720"/>
//     <data name="dcDetail"/>
//     <section kind="PageHeader" name="PageHeader" height="900">
//       <label name="lblReportTitle" left="0" top="100" width="9000" height="500"
//              caption="d_Wine List" fontName="Arial" fontSize="18" bold="true"/>
//     </section>
//     <section kind="GroupHeader" name="PrimaryGroup" height="300" dataField="" .../>
//     <section kind="Detail" name="Detail" height="300">
//       <textbox name="txtWine" dataField="Wine" left="0" top="0" width="9000" height="300"/>
//     </section>
//     ...
//   </report>
//
// Sections come in report order: ReportHeader, PageHeader, GroupHeader..., Detail,
// GroupFooter... (innermost first), PageFooter, ReportFooter; group headers and footers pair
// up from the inside out. Lengths are whole twips; colours "#rrggbb"; booleans true/false.
// Controls: label, textbox, picture, line, shape, subreport (their attributes in
// LayoutLoader.cpp). Every fault (malformed XML, unknown element or attribute, duplicate name,
// bad length or value, missing Detail, unpaired groups) raises vb::Error 321 naming the file
// and line, and leaves the report as it was.

#include <QString>

namespace report {

class Report;

inline constexpr int kLayoutErrorNumber = 321; // VB's "Invalid file format"

void loadLayout(Report& report, const QString& fileName);

} // namespace report
