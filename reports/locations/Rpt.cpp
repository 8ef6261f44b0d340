// Rpt of the locations report: the module's entry point, preparing the report and showing it.

#include "reports/locations/Rpt.h"

#include "common/DatabaseConnection.h"
#include "reports/ArgumentList.h"
#include "reports/CommonTools.h"
#include "reports/LanguageHelper.h"
#include "reports/locations/LocationReportFilling.h"
#include "reports/locations/rptCellarLocations.h"
#include "reports/ModuleArguments.h"
#include "reports/NumberedTexts.h"
#include "reports/RecordsetHelper.h"
#include "reports/ViewerPreview.h"

#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace stovanic {

namespace {

constexpr qint16 kTextByLocation = 28;
constexpr qint16 kTextByWine = 29;
constexpr qint16 kTextEmptyWorkTable = 79;
constexpr qint16 kTextUserName = 32;

const QString kByWine = u"ByWine"_s;

} // namespace

Rpt::Rpt(QObject* parent) : QObject(parent) {}

Rpt::~Rpt() = default;

QString Rpt::settingsDatabaseFile(const QString& appPath)
{
    const bool separated = appPath.isEmpty() || appPath.endsWith(u'/') || appPath.endsWith(u'\\');
    return appPath + (separated ? QString() : u"/"_s) + u"settings.dat"_s;
}

reports::CallResult Rpt::LoadReport(const reports::ArgumentList& parameters)
{
    return reports::trapErrors(u"Rpt.LoadReport"_s, [&] {
        // What the call kept goes however the call ends.
        const auto release = qScopeGuard([this] { releaseAll(); });
        keepHostObjects(parameters);
        m_report = std::make_unique<rptCellarLocations>();
        m_byLocation = m_kind != kByWine;
        prepare();
        showInViewer(parameters.window(reports::args::locations::parentWindow));
    });
}

void Rpt::keepHostObjects(const reports::ArgumentList& parameters)
{
    namespace args = reports::args;
    m_langHelper = &parameters.objectAs<reports::LanguageHelper>(args::langHelper);
    m_commonTools = &parameters.objectAs<reports::CommonTools>(args::commonTools);
    m_regObject = &parameters.object(args::regObject);
    m_settingsDatabase = &parameters.connection(args::locations::settingsConnection);
    m_sqlTexts = &parameters.objectAs<reports::NumberedTexts>(args::locations::sqlTexts);
    m_mainDatabase = &parameters.connection(args::locations::mainConnection);
    m_recordsets = &parameters.objectAs<reports::RecordsetHelper>(args::locations::recordsetHelper);
    m_userTexts = &parameters.objectAs<reports::NumberedTexts>(args::locations::userTexts);
    parameters.object(args::locations::kept);
    m_cellarFile = parameters.text(args::locations::cellarFile);
    m_kind = parameters.text(args::locations::kind);
}

void Rpt::releaseAll()
{
    m_translated = nullptr;
    m_report.reset();
    m_langHelper = nullptr;
    m_commonTools = nullptr;
    m_regObject = nullptr;
    m_settingsDatabase = nullptr;
    m_sqlTexts = nullptr;
    m_mainDatabase = nullptr;
    m_recordsets = nullptr;
    m_userTexts = nullptr;
    m_cellarFile.clear();
    m_kind.clear();
}

void Rpt::prepare()
{
    m_translated = &m_langHelper->SetReportFieldsLanguage(
        *m_report, m_byLocation ? u"repLocationsByLocation"_s : u"repLocationsByWine"_s);

    m_commonTools->ShowHourglassPointer();
    m_commonTools->FillReportSourceTable();
    m_commonTools->ExecuteSQLCommand(m_sqlTexts->Item(kTextEmptyWorkTable), *m_settingsDatabase);
    fillLocationReport(
        {*m_commonTools, *m_recordsets, *m_sqlTexts, *m_mainDatabase, *m_settingsDatabase});

    report::DataControl& data = m_translated->dcDetail();
    data.setConnectionString(
        DatabaseHelpers::ProgramConnectionString(settingsDatabaseFile(m_commonTools->AppPath())));
    data.setSource(m_sqlTexts->Item(m_byLocation ? kTextByLocation : kTextByWine));
    m_translated->label(u"txtUserName"_s).setCaption(m_userTexts->Item(kTextUserName));
    m_translated->textBox(u"txtCellarFile"_s).setText(m_cellarFile);
    m_commonTools->ShowDefaultPointer();
}

void Rpt::showInViewer(QWidget* parentWindow)
{
    reports::previewInViewer(parentWindow, *m_report, *m_translated, *m_langHelper, *m_commonTools,
                             *m_regObject, m_translated->name() + m_kind);
}

} // namespace stovanic
