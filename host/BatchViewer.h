#pragma once

// The viewer of a headless run: registered for the run under the viewer's ProgID, it takes the
// place of the report viewer the modules create. PreviewReport generates the report and exports
// it to the run's file instead of showing it; the modules do not know the difference.

#include "platform/com/ClassObjects.h"
#include "reports/ReportViewer.h"

#include <QObject>
#include <QString>

namespace host {

// What the run asks for and what came of it.
struct BatchOutput
{
    QString format; // see BatchExport.h
    QString fileName;
    QString writtenFile; // the file a reader opens
    int reportsExported = 0;
    int pages = 0;
};

class BatchViewer : public QObject, public reports::ReportViewer
{
    Q_OBJECT
    Q_INTERFACES(reports::ReportViewer)

public:
    explicit BatchViewer(BatchOutput& output, QObject* parent = nullptr);

    reports::CallResult PreviewReport(QWidget* frmParentForm, report::Report& pReport,
                                      reports::LanguageHelper& pcLangHelper,
                                      reports::CommonTools& pcCommonTools, QObject& pRegObject,
                                      const QString& pReportName) override;
    reports::CallResult ProgressStatus(qint32 lngPageNumber) override;

private:
    BatchOutput& m_output;
};

// The batch viewer under the viewer's ProgID for this registration's lifetime.
class BatchViewerRegistration
{
public:
    explicit BatchViewerRegistration(BatchOutput& output);

private:
    com::ClassObjectRegistration m_registration;
};

} // namespace host
