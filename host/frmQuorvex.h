#pragma once

// The host program's window: the current selection (a saved query, remembered in the registry
// as LastSelections\QueryID), the four reports with their options, the summary window, and the
// maintenance tools and the analyser started beside it. Report errors are shown in a message
// box titled with the window's caption.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace host {

class HostSession;
struct ReportRequest;

class frmQuorvex : public QWidget
{
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("Quorvex");

    // The session must outlive the window.
    explicit frmQuorvex(HostSession& session, QWidget* parent = nullptr);

    // Runs a report as its button does; false when it failed (its error was shown).
    bool runReport(const ReportRequest& request);
    // Makes the saved query of that number the current selection and remembers it.
    void selectQuery(qint32 queryId);

private:
    QWidget* makeSelectionRow();
    QWidget* makeReportsBox();
    QWidget* makeToolsRow();
    void startTool(const QString& program);

    HostSession& m_session;
    QComboBox* m_queries = nullptr;
    QLineEdit* m_grouping = nullptr;
    QCheckBox* m_details = nullptr;
    QRadioButton* m_byLocation = nullptr;
};

} // namespace host
