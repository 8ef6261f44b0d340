// Generating and exporting instead of previewing.

#include "host/BatchViewer.h"

#include "host/BatchExport.h"
#include "platform/reportengine/model/Report.h"
#include "platform/vb/Error.h"
#include "reports/ProgIds.h"

using namespace Qt::StringLiterals;

namespace host {

BatchViewer::BatchViewer(BatchOutput& output, QObject* parent) : QObject(parent), m_output(output)
{
    setObjectName(u"clsReportViewer"_s);
}

reports::CallResult BatchViewer::PreviewReport(QWidget*, report::Report& pReport,
                                               reports::LanguageHelper&, reports::CommonTools&,
                                               QObject&, const QString& pReportName)
{
    return reports::trapErrors(u"clsReportViewer.PreviewReport"_s, [&] {
        pReport.run();
        if (pReport.pages().count() == 0)
            throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                            u"The report %1 has no pages to export"_s.arg(pReportName),
                            u"clsReportViewer.PreviewReport"_s);
        m_output.writtenFile =
            exportGeneratedReport(pReport, pReportName, m_output.format, m_output.fileName);
        ++m_output.reportsExported;
        m_output.pages = pReport.pages().count();
    });
}

reports::CallResult BatchViewer::ProgressStatus(qint32)
{
    return reports::CallResult::success();
}

BatchViewerRegistration::BatchViewerRegistration(BatchOutput& output)
    : m_registration(reports::progid::ReportViewer,
                     [&output] { return std::make_unique<BatchViewer>(output); })
{
}

} // namespace host
