// Rpt of the wine list: the module's entry points, preparing the report and showing it.

#include "reports/winelist/Rpt.h"

#include "common/DatabaseConnection.h"
#include "reports/ArgumentList.h"
#include "reports/CommonTools.h"
#include "reports/LanguageHelper.h"
#include "reports/ModuleArguments.h"
#include "reports/ViewerPreview.h"
#include "reports/winelist/clsSQLString.h"
#include "reports/winelist/rptCellarWineList.h"

#include <array>
#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace olmaris {

namespace {

struct GroupControls
{
    QString header;
    QString displayField;
};

const std::array<GroupControls, 3> kGroupControls{{
    {u"PrimaryGroup"_s, u"Primary_DisplayField"_s},
    {u"SecondaryGroup"_s, u"Secondary_DisplayField"_s},
    {u"TertieryGroup"_s, u"Tertiery_DisplayField"_s},
}};

QStringList groupingParts(const QString& grouping, const QString& source)
{
    const QStringList parts = grouping.split(u'/');
    if (parts.size() != 3)
        throw vb::Error(
            vb::ErrorNumber::InvalidProcedureCall,
            u"The grouping \"%1\" must have three parts separated by \"/\""_s.arg(grouping),
            source);
    return parts;
}

} // namespace

Rpt::Rpt(QObject* parent) : QObject(parent) {}

Rpt::~Rpt() = default;

reports::CallResult Rpt::LoadReport(const reports::ArgumentList& parameters)
{
    return reports::trapErrors(u"Rpt.LoadReport"_s, [&] {
        const auto release = qScopeGuard([this] { releaseAll(); });
        namespace args = reports::args;
        const QString grouping = parameters.text(args::list::grouping);
        groupingParts(grouping, u"Rpt.LoadReport"_s);
        keepHostObjects(parameters);
        m_grouping = grouping;
        m_hasGrouping = true;
        m_report = std::make_unique<rptCellarWineList>();
        prepare();
        showInViewer(parameters.window(args::list::parentWindow));
    });
}

reports::CallResult Rpt::PrepareReport()
{
    return reports::trapErrors(u"Rpt.PrepareReport"_s, [this] { prepare(); });
}

reports::CallResult Rpt::GetReport(const reports::ArgumentList& parameters,
                                   std::unique_ptr<report::Report>& preparedReport)
{
    return reports::trapErrors(u"Rpt.GetReport"_s, [&] {
        const auto release = qScopeGuard([this] { releaseAll(); });
        if (!m_hasGrouping)
            throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                            u"The wine list has no grouping yet: GetReport needs a LoadReport "
                            "first"_s,
                            u"Rpt.GetReport"_s);
        keepHostObjects(parameters);
        m_report = std::make_unique<rptCellarWineList>();
        prepare();
        preparedReport = std::move(m_report);
    });
}

void Rpt::keepHostObjects(const reports::ArgumentList& parameters)
{
    namespace args = reports::args;
    m_langHelper = &parameters.objectAs<reports::LanguageHelper>(args::langHelper);
    m_commonTools = &parameters.objectAs<reports::CommonTools>(args::commonTools);
    m_regObject = &parameters.object(args::regObject);
    m_sQLDatabase = &parameters.object(args::list::sQLDatabase);
    m_preferences = &parameters.object(args::list::preferences);
    m_wineDBFile = parameters.text(args::list::wineDBFile);
}

void Rpt::releaseAll()
{
    m_translated = nullptr;
    m_report.reset();
    m_langHelper = nullptr;
    m_commonTools = nullptr;
    m_regObject = nullptr;
    m_sQLDatabase = nullptr;
    m_preferences = nullptr;
    m_wineDBFile.clear();
}

void Rpt::prepare()
{
    if (!m_commonTools || !m_langHelper)
        throw vb::Error(vb::ErrorNumber::ObjectVariableNotSet,
                        u"The wine list has no host objects to prepare its report with"_s,
                        u"Rpt.PrepareReport"_s);
    if (!m_report)
        m_report = std::make_unique<rptCellarWineList>();
    m_commonTools->ShowHourglassPointer();
    m_commonTools->FillReportSourceTable();

    const QStringList parts = groupingParts(m_grouping, u"Rpt.PrepareReport"_s);
    clsSQLString sql;
    for (size_t level = 0; level < kGroupControls.size(); ++level) {
        const QString& key = parts[qsizetype(level)];
        if (key.isEmpty())
            continue;
        sql.AddItem(key);
        m_report->section(kGroupControls[level].header).setDataField(key);
        m_report->textBox(kGroupControls[level].displayField).setDataField(key);
    }
    m_report->dcDetail().setConnectionString(
        DatabaseHelpers::ProgramConnectionString(m_wineDBFile));
    m_report->dcDetail().setSource(sql.GetString());
    m_report->textBox(u"txtCellarFile"_s).setText(m_wineDBFile);

    m_translated = &m_langHelper->SetReportFieldsLanguage(*m_report, u"repWineList"_s);
    m_commonTools->ShowDefaultPointer();
}

void Rpt::showInViewer(QWidget* frmParentForm)
{
    reports::previewInViewer(frmParentForm, *m_report, *m_translated, *m_langHelper, *m_commonTools,
                             *m_regObject, m_report->name());
}

} // namespace olmaris
