#pragma once

// The report viewer (QuorvexReportViewer.clsReportViewer) as a module calls it: PreviewReport
// shows the report and returns when its window closes; ProgressStatus is called for every page
// the engine generates. Both return the call's error result and show no error themselves.
// Everything passed is the caller's and is not kept past PreviewReport.

#include "reports/CallResult.h"

#include <QString>
#include <QtPlugin>

class QObject;
class QWidget;

namespace report {
class Report;
}

namespace reports {

class CommonTools;
class LanguageHelper;

class ReportViewer
{
public:
    virtual ~ReportViewer() = default;

    // frmParentForm may be null (no owner window). The report name keys the print settings and
    // export choices the viewer keeps in the registry.
    virtual CallResult PreviewReport(QWidget* frmParentForm, report::Report& pReport,
                                     LanguageHelper& pcLangHelper, CommonTools& pcCommonTools,
                                     QObject& pRegObject, const QString& pReportName) = 0;
    virtual CallResult ProgressStatus(qint32 lngPageNumber) = 0;
};

} // namespace reports

Q_DECLARE_INTERFACE(reports::ReportViewer, "org.quorvex.reports.ReportViewer/1.0")
