#pragma once

// The ProgIDs the host and the modules create.

#include <QString>

namespace reports::progid {

inline const QString WineList = QStringLiteral("QuorvexOlmaris.Rpt");
inline const QString CellarSummary = QStringLiteral("QuorvexRptSummary.Rpt");
inline const QString CellarBook = QStringLiteral("QuorvexParvello.Rpt");
inline const QString Locations = QStringLiteral("QuorvexStovanic.Rpt");
inline const QString ReportViewer = QStringLiteral("QuorvexReportViewer.clsReportViewer");

} // namespace reports::progid
