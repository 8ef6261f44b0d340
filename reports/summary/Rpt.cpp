// Running the cellar summary: fill, preview, release.

#include "reports/summary/Rpt.h"

#include "reports/ArgumentList.h"
#include "reports/CommonTools.h"
#include "reports/LanguageHelper.h"
#include "reports/ModuleArguments.h"
#include "reports/summary/Feldrake.h"
#include "reports/summary/SummaryFilling.h"
#include "reports/ViewerPreview.h"

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

    reports::previewInViewer(frmParentForm, feldrake, report, pcLangHelper, pcCommonTools,
                             pRegObject, report.name());
}

} // namespace

reports::CallResult Rpt::LoadReport(const reports::ArgumentList& parameters)
{
    return reports::trapErrors(kSource, [&] { run(parameters); });
}

} // namespace feldrake
