#pragma once

// How a report library shows its report: a new viewer created by ProgID previews the report the
// language helper handed back, and returns when its window closes. While the viewer runs, the
// module's own report knows it (its PrintProgress handler reports every page to it); when the
// language helper handed back another report instead, that report's pages reach the viewer
// through the engine's signal. A failure of the viewer is raised as the module's error.

#include "platform/com/CreateObject.h"
#include "platform/reportengine/model/Report.h"
#include "reports/ProgIds.h"
#include "reports/ReportViewer.h"

#include <memory>
#include <QObject>
#include <QScopeGuard>
#include <QString>

namespace reports {

// `OwnReport` is the module's report class, with setViewer(ReportViewer*).
template <typename OwnReport>
void previewInViewer(QWidget* parentWindow, OwnReport& own, report::Report& shown,
                     LanguageHelper& langHelper, CommonTools& commonTools, QObject& regObject,
                     const QString& reportName)
{
    const std::unique_ptr<QObject> viewerObject = com::createObject(progid::ReportViewer);
    auto& viewer = com::interfaceOf<ReportViewer>(*viewerObject, progid::ReportViewer);
    own.setViewer(&viewer);
    const auto forgetViewer = qScopeGuard([&own] { own.setViewer(nullptr); });
    if (&shown != static_cast<report::Report*>(&own))
        QObject::connect(&shown, &report::Report::printProgressed, viewerObject.get(),
                         [&viewer](int page) { viewer.ProgressStatus(page); });
    viewer.PreviewReport(parentWindow, shown, langHelper, commonTools, regObject, reportName)
        .raiseIfFailed();
}

} // namespace reports
