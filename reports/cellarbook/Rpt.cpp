// Running the cellar book: keep the items, prepare, preview, release.

#include "reports/cellarbook/Rpt.h"

#include "common/DatabaseConnection.h"
#include "reports/ArgumentList.h"
#include "reports/cellarbook/rptCellarBookWine.h"
#include "reports/CommonTools.h"
#include "reports/LanguageHelper.h"
#include "reports/ModuleArguments.h"
#include "reports/NumberedTexts.h"
#include "reports/ViewerPreview.h"

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

    const auto endRun = qScopeGuard([&book] { book.setRun({}); });
    reports::previewInViewer(items.parentWindow, book, report, items.langHelper, items.commonTools,
                             items.regObject, report.name());
}

} // namespace

reports::CallResult Rpt::LoadReport(const reports::ArgumentList& parameters)
{
    return reports::trapErrors(kSource, [&] { run(parameters); });
}

} // namespace parvello
