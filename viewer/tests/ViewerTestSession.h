#pragma once

// What a report module hands the viewer, made for the tests from real parts: the host's common
// tools (recorded as they are called) and language helper, over a test cellar and a language
// database with German texts for the viewer's window; a registry object and a parent window;
// and the module's report, which reports every page it makes to the viewer as modules do.
// ViewerTest runs PreviewReport with the window worked by a scripted user.

#include "host/HostCommonTools.h"
#include "host/HostLanguageHelper.h"
#include "platform/jet/Connection.h"
#include "platform/reportengine/tests/PreviewTestReport.h"
#include "platform/shell/GTestScriptedUser.h"
#include "reports/CommonTools.h"
#include "viewer/clsReportViewer.h"
#include "viewer/frmReportViewer.h"

#include <gtest/gtest.h>
#include <memory>
#include <QStringList>
#include <QWidget>

namespace lumesk::testing {

// The host's common tools, with the calls the viewer makes written down in order.
class RecordingCommonTools : public QObject, public reports::CommonTools
{
    Q_OBJECT
    Q_INTERFACES(reports::CommonTools)

public:
    explicit RecordingCommonTools(reports::CommonTools& tools) : m_tools(tools) {}

    QStringList calls;

    void ShowHourglassPointer() override;
    void ShowDefaultPointer() override;
    void FillReportSourceTable() override;
    void CenterWindow(QWidget& window) override;
    void SelectTextFieldContent(QWidget& textBox) override;
    QString f_CorrectExchangeRate(double& amount) override;
    qint32 CT_TwipsX() const override;
    QString AppPath() const override;
    void ExecuteSQLCommand(const QString& sql, jet::Connection& database) override;
    QString f_BuildWineTitle(const reports::WineRecord& wine) override;
    void ParseLocationLine(const QString& line, QString& location, qint16& quantity) override;
    vb::Variant f_GetGMTDateTime() override;
    vb::Variant f_ReturnNullStringOrValue(const vb::Variant& value) override;

private:
    reports::CommonTools& m_tools;
};

// The test report as a module's: every page it makes goes to the viewer's ProgressStatus.
class ModuleReport : public report::testing::PreviewTestReport
{
public:
    using PreviewTestReport::PreviewTestReport;

    reports::ReportViewer* viewer = nullptr;
    std::vector<reports::CallResult> progress;

protected:
    void printProgress(int pageNumber) override
    {
        if (viewer != nullptr)
            progress.push_back(viewer->ProgressStatus(pageNumber));
    }
};

class ViewerTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // PreviewReport of the test report as `reportName`, the window worked by `script` (which
    // closes it).
    reports::CallResult preview(shell::ScriptedUser::ModalScript script,
                                const QString& reportName = QStringLiteral("rptTestList"));

    // The registry key of the report's print settings, below the application key.
    static QString printSettingsKey(const QString& reportName = QStringLiteral("rptTestList"));
    static QString formPositionKey();
    static QString storedText(const QString& key, const QString& name);
    static void store(const QString& key, const QString& name, const QString& value);
    static void forget(const QString& key);

    // Runs a menu command as a click on its item.
    static void clickItem(frmReportViewer& window, const QString& key);
    // Clicks the button of the preview's tool at `position`.
    static void clickTool(frmReportViewer& window, int position);
    // A test output file for a look ("viewer/<name>").
    static QString outputFile(const QString& name);

    static inline std::unique_ptr<report::testing::ReportTestDatabase> s_cellar;
    static inline QString s_languageFile;

    shell::GTestScriptedUser m_user;
    jet::Connection m_main;
    std::unique_ptr<host::HostCommonTools> m_hostTools;
    std::unique_ptr<RecordingCommonTools> m_tools;
    std::unique_ptr<host::HostLanguageHelper> m_language;
    QObject m_regObject;
    QWidget m_parent;
    std::unique_ptr<ModuleReport> m_report;
    clsReportViewer m_viewer;
};

} // namespace lumesk::testing
