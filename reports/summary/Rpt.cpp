// Running the cellar summary: fill, preview, release.

#include "reports/summary/Rpt.h"

#include "platform/com/CreateObject.h"
#include "reports/ArgumentList.h"
#include "reports/CommonTools.h"
#include "reports/LanguageHelper.h"
#include "reports/ModuleArguments.h"
#include "reports/ProgIds.h"
#include "reports/ReportViewer.h"
#include "reports/summary/Feldrake.h"
#include "reports/summary/SummaryFilling.h"

#include <QWidget>

using namespace Qt::StringLiterals;

namespace feldrake {

namespace {

const QString kSource = u"Feldrake.LoadReport"_s;

void run(const reports::ArgumentList& parameters)
{
    namespace args = reports::args::summary;
    QWidget* frmParentForm = parameters.window(args::frmParentForm);
    const SummaryTexts texts{parameters.text(args::strUserName),
                             parameters.text(args::strWineDBFile),
                             parameters.text(args::strQueryName)};
    auto& pcLangHelper = parameters.objectAs<reports::LanguageHelper>(args::pcLangHelper);
    auto& pcCommonTools = parameters.objectAs<reports::CommonTools>(args::pcCommonTools);
    QObject& pRegObject = parameters.object(args::pRegObject);
    if (!frmParentForm)
        throw vb::Error(vb::ErrorNumber::ObjectVariableNotSet,
                        u"Object variable not set: frmParentForm"_s, kSource);

    Feldrake feldrake;
    report::Report& report = pcLangHelper.SetReportFieldsLanguage(feldrake, u"repCellarSummary"_s);
    fillFromParentWindow(report, *frmParentForm, texts);

    const std::unique_ptr<QObject> viewerObject = com::createObject(reports::progid::ReportViewer);
    auto& viewer =
        com::interfaceOf<reports::ReportViewer>(*viewerObject, reports::progid::ReportViewer);
    feldrake.setViewer(&viewer);
    // A replacement report from the language helper is not a Feldrake: its pages reach the
    // viewer through the engine's signal, for as long as the viewer lives.
    if (&report != &feldrake)
        QObject::connect(&report, &report::Report::printProgressed, viewerObject.get(),
                         [&viewer](int page) { viewer.ProgressStatus(page); });
    const reports::CallResult shown = viewer.PreviewReport(
        frmParentForm, report, pcLangHelper, pcCommonTools, pRegObject, report.name());
    feldrake.setViewer(nullptr);
    shown.raiseIfFailed();
}

} // namespace

reports::CallResult Rpt::LoadReport(const reports::ArgumentList& parameters)
{
    return reports::trapErrors(kSource, [&] { run(parameters); });
}

} // namespace feldrake
