#pragma once

// The host stand-in at work on one installation: its open connections to the main wine and
// settings databases, the current selection, the helper objects it hands to the report
// modules, its summary window, and the running of a report: the module's Rpt is created by
// ProgID and LoadReport is called with the host's objects in the module's argument layout.
// Everything handed to a module stays the session's.

#include "host/frmSummary.h"
#include "host/HostCommonTools.h"
#include "host/HostFiles.h"
#include "host/HostLanguageHelper.h"
#include "host/HostRecordsetHelper.h"
#include "host/ReportRequest.h"
#include "host/Selection.h"
#include "host/SqlTexts.h"
#include "host/UserTexts.h"
#include "platform/jet/Connection.h"
#include "reports/CallResult.h"

#include <memory>

namespace reports {
class ArgumentList;
}

namespace host {

class HostSession
{
public:
    // Opens the databases; raises vb::Error when one cannot be opened.
    explicit HostSession(HostFiles files);
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    const HostFiles& files() const noexcept { return m_files; }
    jet::Connection& mainDatabase() noexcept { return m_main; }
    jet::Connection& settingsDatabase() noexcept { return m_settings; }

    const Selection& selection() const noexcept { return m_selection; }
    void setSelection(Selection selection) { m_selection = std::move(selection); }
    QList<Selection> savedQueries() { return host::savedQueries(m_settings); }

    HostCommonTools& commonTools() noexcept { return *m_commonTools; }
    HostLanguageHelper& languageHelper() noexcept { return *m_languageHelper; }
    SqlTexts& sqlTexts() noexcept { return *m_sqlTexts; }
    UserTexts& userTexts() noexcept { return *m_userTexts; }
    HostRecordsetHelper& recordsetHelper() noexcept { return *m_recordsetHelper; }

    // The summary window with the figures of the current selection and of the whole cellar.
    frmSummary& summaryWindow();
    void refreshSummary();

    // Runs the report: its Rpt's LoadReport returns when the viewer closes. Errors of the
    // module, and a module that cannot be created, come back as the result; nothing is shown.
    reports::CallResult runReport(const ReportRequest& request, QWidget* parentWindow);

private:
    void addArguments(reports::ArgumentList& arguments, const ReportRequest& request,
                      QWidget* parentWindow);

    HostFiles m_files;
    jet::Connection m_main;
    jet::Connection m_settings;
    Selection m_selection;
    QObject m_regObject;
    QObject m_preferences;
    std::unique_ptr<HostLanguageHelper> m_languageHelper;
    std::unique_ptr<HostCommonTools> m_commonTools;
    std::unique_ptr<SqlTexts> m_sqlTexts;
    std::unique_ptr<UserTexts> m_userTexts;
    std::unique_ptr<HostRecordsetHelper> m_recordsetHelper;
    std::unique_ptr<frmSummary> m_summary;
};

} // namespace host
