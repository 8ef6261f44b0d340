// Running the cellar book: keep the items, prepare, preview, release.

#include "reports/cellarbook/Rpt.h"

#include "common/DatabaseConnection.h"
#include "platform/com/CreateObject.h"
#include "reports/ArgumentList.h"
#include "reports/cellarbook/rptCellarBookWine.h"
#include "reports/CommonTools.h"
#include "reports/LanguageHelper.h"
#include "reports/ModuleArguments.h"
#include "reports/NumberedTexts.h"
#include "reports/ProgIds.h"
#include "reports/ReportViewer.h"

using namespace Qt::StringLiterals;

namespace parvello {

namespace {

const QString kSource = u"Parvello.LoadReport"_s;

// The nine items of the argument list, for the one call.
struct Items
{
    explicit Items(const reports::ArgumentList& parameters)
        : langHelper(parameters.objectAs<reports::LanguageHelper>(reports::args::langHelper)),
          commonTools(parameters.objectAs<reports::CommonTools>(reports::args::commonTools)),
          regObject(parameters.object(reports::args::regObject)),
          sQLDatabase(
              parameters.objectAs<reports::NumberedTexts>(reports::args::list::sQLDatabase)),
          preferences(parameters.object(reports::args::list::preferences)),
          wineDBFile(parameters.text(reports::args::list::wineDBFile)),
          parentWindow(parameters.window(reports::args::list::parentWindow)),
          exchangeRate(parameters.number(reports::args::list::exchangeRate)),
          details(parameters.flag(reports::args::list::details))
    {
    }

    reports::LanguageHelper& langHelper;
    reports::CommonTools& commonTools;
    QObject& regObject;
    reports::NumberedTexts& sQLDatabase;
    QObject& preferences; // kept, not used
    QString wineDBFile;
    QWidget* parentWindow;
    double exchangeRate;
    bool details;
};

// Fills the report source, binds the report to the main text and translates it; returns the
// report to show.
report::Report& prepare(rptCellarBookWine& report, const Items& items)
{
    items.commonTools.ShowHourglassPointer();
    items.commonTools.FillReportSourceTable();
    double rate = items.exchangeRate; // converted in place by the host
    const QString sql =
        rptCellarBookWine::fillPlaceholder(items.sQLDatabase.Item(rptCellarBookWine::kMainText), 1,
                                           items.commonTools.f_CorrectExchangeRate(rate));
    const QString connectionString = DatabaseHelpers::ProgramConnectionString(items.wineDBFile);
    report.dcDetail().setConnectionString(connectionString);
    report.dcDetail().setSource(sql);
    report.textBox(u"txtCellarFile"_s).setText(items.wineDBFile);
    report.setRun({&items.langHelper, &items.commonTools, &items.sQLDatabase, connectionString,
                   items.exchangeRate, items.details});
    report::Report& translated =
        items.langHelper.SetReportFieldsLanguage(report, u"repBookWine"_s, u":"_s);
    items.commonTools.ShowDefaultPointer();
    return translated;
}

void run(const reports::ArgumentList& parameters)
{
    const Items items(parameters);
    rptCellarBookWine book;
    report::Report& report = prepare(book, items);

    const std::unique_ptr<QObject> viewerObject = com::createObject(reports::progid::ReportViewer);
    auto& viewer =
        com::interfaceOf<reports::ReportViewer>(*viewerObject, reports::progid::ReportViewer);
    book.setViewer(&viewer);
    // A replacement report from the language helper is not the book: its pages reach the
    // viewer through the engine's signal, for as long as the viewer lives.
    if (&report != &book)
        QObject::connect(&report, &report::Report::printProgressed, viewerObject.get(),
                         [&viewer](int page) { viewer.ProgressStatus(page); });
    const reports::CallResult shown =
        viewer.PreviewReport(items.parentWindow, report, items.langHelper, items.commonTools,
                             items.regObject, report.name());
    book.setViewer(nullptr);
    book.setRun({});
    shown.raiseIfFailed();
}

} // namespace

reports::CallResult Rpt::LoadReport(const reports::ArgumentList& parameters)
{
    return reports::trapErrors(kSource, [&] { run(parameters); });
}

} // namespace parvello
