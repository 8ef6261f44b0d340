// A stand-in for the wine list library, built for the host tests only: it serves the wine
// list's ProgID and follows the module contract end to end (the host's helper objects, the
// report source table, a report on the engine, the viewer created by ProgID), so that the
// host's report runs and its batch output can be tested before the real library exists.

#include "common/DatabaseConnection.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/CreateObject.h"
#include "platform/reportengine/model/Report.h"
#include "reports/ArgumentList.h"
#include "reports/CommonTools.h"
#include "reports/LanguageHelper.h"
#include "reports/ModuleArguments.h"
#include "reports/ProgIds.h"
#include "reports/ReportViewer.h"
#include "reports/Rpt.h"

using namespace Qt::StringLiterals;

namespace {

class StandInRpt : public QObject, public reports::Rpt
{
    Q_OBJECT
    Q_INTERFACES(reports::Rpt)

public:
    reports::CallResult LoadReport(const reports::ArgumentList& parameters) override
    {
        return reports::trapErrors(u"Rpt.LoadReport"_s, [&] { run(parameters); });
    }

private:
    static void run(const reports::ArgumentList& parameters)
    {
        namespace args = reports::args;
        auto& language = parameters.objectAs<reports::LanguageHelper>(args::langHelper);
        auto& tools = parameters.objectAs<reports::CommonTools>(args::commonTools);
        QObject& registry = parameters.object(args::regObject);
        const QString file = parameters.text(args::list::wineDBFile);
        QWidget* parent = parameters.window(args::list::parentWindow);
        if (parameters.text(args::list::grouping).count(u'/') != 2)
            throw vb::Error(5, u"The grouping must have three parts"_s, u"Rpt.LoadReport"_s);

        tools.ShowHourglassPointer();
        tools.FillReportSourceTable();
        report::Report report;
        report.loadLayout(QStringLiteral(QV_STANDIN_LAYOUT));
        report.dcDetail().setConnectionString(DatabaseHelpers::ProgramConnectionString(file));
        report.dcDetail().setSource(
            u"SELECT tblWinerySite.SiteName & ', ' & tblWines.Label & ' ' & tblWines.Vintage AS "
            "Wine FROM (tblReportSource INNER JOIN tblWines ON tblReportSource.WineID = "
            "tblWines.WineID) INNER JOIN tblWinerySite ON tblWines.WinerySiteID = "
            "tblWinerySite.WinerySiteID ORDER BY tblWinerySite.SiteName, tblWines.Label"_s);
        report::Report& translated = language.SetReportFieldsLanguage(report, u"repWineList"_s);
        tools.ShowDefaultPointer();

        std::unique_ptr<QObject> viewerObject = com::createObject(reports::progid::ReportViewer);
        auto& viewer =
            com::interfaceOf<reports::ReportViewer>(*viewerObject, reports::progid::ReportViewer);
        QObject::connect(&translated, &report::Report::printProgressed,
                         [&viewer](int page) { viewer.ProgressStatus(page); });
        viewer.PreviewReport(parent, translated, language, tools, registry, translated.name())
            .raiseIfFailed();
    }
};

} // namespace

class StandInWineListLibrary : public QObject, public com::ClassFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QV_COM_CLASS_FACTORY_IID FILE "standin_winelist.json")
    Q_INTERFACES(com::ClassFactory)

public:
    QStringList progIds() const override { return {reports::progid::WineList}; }
    std::unique_ptr<QObject> create(const QString& progId) override
    {
        if (progId.compare(reports::progid::WineList, Qt::CaseInsensitive) != 0)
            return nullptr;
        return std::make_unique<StandInRpt>();
    }
};

#include "StandInWineList.moc"
