#pragma once

// clsReportViewer (QuorvexReportViewer.clsReportViewer): shows a report in the modal viewer
// window, where the user prints, sets up the printer, exports or closes. The viewer printer's
// settings are kept per report in the registry. Everything the caller passes is let go before
// PreviewReport returns; errors come back as the call's result and nothing is shown for them.

#include "reports/ReportViewer.h"
#include "viewer/ViewerSession.h"

#include <memory>
#include <QObject>

namespace lumesk {

class frmReportViewer;

class clsReportViewer : public QObject, public reports::ReportViewer
{
    Q_OBJECT
    Q_INTERFACES(reports::ReportViewer)

public:
    explicit clsReportViewer(QObject* parent = nullptr);
    ~clsReportViewer() override;

    reports::CallResult PreviewReport(QWidget* frmParentForm, report::Report& pReport,
                                      reports::LanguageHelper& pcLangHelper,
                                      reports::CommonTools& pcCommonTools, QObject& pRegObject,
                                      const QString& pReportName) override;
    // Forwards the page to the window's progress; without an open window, error 91.
    reports::CallResult ProgressStatus(qint32 lngPageNumber) override;

    // The window while PreviewReport shows it, else null.
    frmReportViewer* window() const noexcept { return m_window.get(); }

private:
    void showReport(QWidget* frmParentForm, report::Report& pReport);
    void releaseAll();

    ViewerSession m_session;
    std::unique_ptr<frmReportViewer> m_window;
};

} // namespace lumesk
