// The viewer's public class: PreviewReport and ProgressStatus.
#include "viewer/clsReportViewer.h"

#include "platform/reportengine/model/Report.h"
#include "platform/shell/Shell.h"
#include "viewer/frmReportViewer.h"
#include "viewer/PrintSettings.h"

using namespace Qt::StringLiterals;

namespace lumesk {

namespace {

const QString kSource = u"clsReportViewer"_s;

} // namespace

clsReportViewer::clsReportViewer(QObject* parent) : QObject(parent) {}

clsReportViewer::~clsReportViewer()
{
    releaseAll();
}

reports::CallResult clsReportViewer::PreviewReport(QWidget* frmParentForm, report::Report& pReport,
                                                   reports::LanguageHelper& pcLangHelper,
                                                   reports::CommonTools& pcCommonTools,
                                                   QObject& pRegObject, const QString& pReportName)
{
    const reports::CallResult result = reports::trapErrors(kSource, [&] {
        m_session.langHelper = &pcLangHelper;
        m_session.commonTools = &pcCommonTools;
        m_session.registry = std::make_unique<cRegistry>();
        m_session.regObject = &pRegObject;
        m_session.report = &pReport;
        m_session.reportName = pReportName;
        m_session.printSettingsKey = u"Reports\\PrintSettings\\"_s + pReportName;
        showReport(frmParentForm, pReport);
    });
    releaseAll();
    return result;
}

void clsReportViewer::showReport(QWidget* frmParentForm, report::Report& pReport)
{
    m_window = std::make_unique<frmReportViewer>(m_session, frmParentForm);
    report::PreviewControl& viewer = m_window->ARViewer();
    if (viewer.printer().deviceCount() == 0) {
        pReport.printer().setDeviceName(QString());
        viewer.printer().setDeviceName(QString());
    }
    // The report first: the viewer prints on the report's printer, which the settings restore.
    viewer.setReport(&pReport);
    RestorePrintSettings(*m_session.registry, m_session.printSettingsKey, viewer.printer(),
                         pReport);
    shell::showModal(*m_window);
}

reports::CallResult clsReportViewer::ProgressStatus(qint32 lngPageNumber)
{
    return reports::trapErrors(kSource, [&] {
        if (!m_window)
            throw vb::Error(vb::ErrorNumber::ObjectVariableNotSet,
                            u"There is no report viewer window to show the progress in"_s, kSource);
        m_window->ShowProgress(lngPageNumber);
    });
}

void clsReportViewer::releaseAll()
{
    if (m_window)
        m_window->ARViewer().setReport(nullptr);
    m_window.reset();
    m_session = ViewerSession();
}

} // namespace lumesk
