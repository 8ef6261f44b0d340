// Opening the installation, the helper objects and running a report.

#include "host/HostSession.h"

#include "common/DatabaseConnection.h"
#include "host/ExchangeRate.h"
#include "platform/com/CreateObject.h"
#include "reports/ArgumentList.h"
#include "reports/ModuleArguments.h"
#include "reports/Rpt.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace host {

namespace {

LanguageTexts readLanguage(const QString& languageDatabase)
{
    if (!QFileInfo::exists(languageDatabase))
        return LanguageTexts();
    return LanguageTexts(languageDatabase);
}

} // namespace

HostSession::HostSession(HostFiles files) : m_files(std::move(files))
{
    m_main.open(DatabaseHelpers::ProgramConnectionString(m_files.mainDatabase));
    m_settings.open(DatabaseHelpers::ProgramConnectionString(m_files.settingsDatabase));
    m_regObject.setObjectName(u"regObject"_s);
    m_preferences.setObjectName(u"preferences"_s);
    m_languageHelper = std::make_unique<HostLanguageHelper>(readLanguage(m_files.languageDatabase));
    m_commonTools = std::make_unique<HostCommonTools>(m_main, m_settings, m_files.appPath,
                                                      [this] { return m_selection; });
    m_sqlTexts = std::make_unique<SqlTexts>(m_files.appPath);
    m_userTexts = std::make_unique<UserTexts>(m_settings);
    m_recordsetHelper = std::make_unique<HostRecordsetHelper>();
}

HostSession::~HostSession()
{
    m_summary.reset();
    m_main.close();
    m_settings.close();
}

frmSummary& HostSession::summaryWindow()
{
    if (!m_summary) {
        m_summary = std::make_unique<frmSummary>();
        m_languageHelper->SetFormControls(*m_summary);
        refreshSummary();
    }
    return *m_summary;
}

void HostSession::refreshSummary()
{
    const double factor = displayCurrencyFactor(m_main, m_settings);
    const CellarFigures query = computeCellarFigures(m_main, m_selection, factor);
    const CellarFigures cellar = computeCellarFigures(m_main, Selection(), factor);
    summaryWindow().showFigures(m_selection.description, query, cellar);
}

void HostSession::addArguments(reports::ArgumentList& arguments, const ReportRequest& request,
                               QWidget* parentWindow)
{
    const QString wineDBFile = QDir::toNativeSeparators(m_files.mainDatabase);
    if (request.kind == ReportKind::CellarSummary) {
        refreshSummary();
        arguments.addWindow(&summaryWindow())
            .addValue(m_userTexts->Item(UserTexts::kUserName))
            .addValue(wineDBFile)
            .addValue(m_selection.description)
            .addObject(*m_languageHelper)
            .addObject(*m_commonTools)
            .addObject(m_regObject);
        return;
    }
    arguments.addObject(*m_languageHelper).addObject(*m_commonTools).addObject(m_regObject);
    if (request.kind == ReportKind::Locations) {
        arguments.addConnection(m_settings)
            .addObject(*m_sqlTexts)
            .addConnection(m_main)
            .addObject(*m_recordsetHelper)
            .addObject(*m_userTexts)
            .addObject(m_preferences)
            .addValue(wineDBFile)
            .addValue(request.locationsKind)
            .addWindow(parentWindow);
        return;
    }
    arguments.addObject(*m_sqlTexts)
        .addObject(m_preferences)
        .addValue(wineDBFile)
        .addWindow(parentWindow);
    if (request.kind == ReportKind::WineList)
        arguments.addValue(request.grouping);
    else
        arguments.addValue(request.exchangeRate).addValue(request.details);
}

reports::CallResult HostSession::runReport(const ReportRequest& request, QWidget* parentWindow)
{
    reports::CallResult result;
    const QString progId = progIdOf(request.kind);
    const reports::CallResult trapped = reports::trapErrors(u"quorvex"_s, [&] {
        std::unique_ptr<QObject> module = com::createObject(progId);
        reports::Rpt& rpt = com::interfaceOf<reports::Rpt>(*module, progId);
        reports::ArgumentList arguments;
        addArguments(arguments, request, parentWindow);
        result = rpt.LoadReport(arguments);
    });
    return trapped.failed() ? trapped : result;
}

} // namespace host
