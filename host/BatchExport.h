#pragma once

// Writing a generated report to a file headless, in one of the viewer's export formats, with
// the options the user's viewer would use: each option is read from the registry value the
// viewer keeps it in (below the application key, "Reports\Export\" + report name + "\" + the
// format's sub-key), its default where none is stored. Format names: text, pdf, rtf, html, xls,
// tif.

#include <QString>
#include <QStringList>

namespace report {
class Report;
}

namespace host {

QStringList batchFormatNames();
bool isBatchFormat(const QString& name);

// The registry key, below the application key, of a report's options for a format.
QString exportSettingsKey(const QString& reportName, const QString& formatName);

// Exports the generated pages of `report` to `fileName` and returns the file a reader opens
// (HTML names its own: <base>.htm or .mht). Raises vb::Error for an unknown format and when the
// file cannot be written.
QString exportGeneratedReport(report::Report& report, const QString& reportName,
                              const QString& formatName, const QString& fileName);

} // namespace host
