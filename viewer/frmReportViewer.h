#pragma once

// The viewer's window: the menu (File with Export, Print, Printer Setup, Exit), the report's
// preview control below it, the status bar at the bottom, and the progress panel fraStatus
// centred over the window while printing or exporting. Captions are language keys ("d_...")
// that the host's language helper translates when the window loads.
//
// The window works on the session of the viewer that made it (the report, the helpers, the
// registry) and saves its position and the viewer printer's settings when it closes.

#include "platform/reportengine/preview/PreviewControl.h"
#include "viewer/StatusBar.h"

#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

namespace lumesk {

struct ViewerSession;

class frmReportViewer : public QWidget
{
    Q_OBJECT

public:
    // The identifiers of the tools the window puts on the preview's toolbar.
    static constexpr int kToolPrint = 998;
    static constexpr int kToolStop = 999;
    // The menu's top in twips: the preview starts this far below the window's top.
    static constexpr int kMenuHeightTwips = 315;

    // Makes and loads the window (Form_Load); raises what loading raises.
    explicit frmReportViewer(ViewerSession& session, QWidget* frmParentForm = nullptr);
    ~frmReportViewer() override;

    report::PreviewControl& ARViewer() const { return *m_arViewer; }
    QMenuBar& SmartUI() const { return *m_smartUI; }
    StatusBar& Status() const { return *m_status; }
    QFrame& fraStatus() const { return *m_fraStatus; }

    // The menu commands by item key; an error ends the command quietly, and the progress
    // panel is hidden after every one.
    void SmartUI_ItemClick(const QString& itemKey);
    // Clicks on the preview's toolbar: 998 prints, 999 stops the report's generation.
    void ARViewer_ToolClick(int tool);
    void btnCancel_Click();
    // The progress of page `lngPageNumber` of the pages there are now; raises vb::Error 11
    // without pages.
    void ShowProgress(int lngPageNumber);

    // The session of the viewer that made the window (the export works on it).
    ViewerSession& session() const noexcept { return m_session; }
    // The progress panel: printing shows lblPrinting and btnCancel, exporting lblExporting.
    // Hiding it resets the progress bar to 0.
    void showProgressPanel(bool printing);
    void hideProgressPanel();

    // The position the Stop tool took on the toolbar.
    int stopToolPosition() const noexcept { return m_stopTool; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu();
    QAction* addItem(QMenu& menu, const QString& key, const QString& caption);
    void buildProgressPanel();
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void mnuFile_Print();
    void mnuFile_PrinterSetup();
    void settleFrame();

    ViewerSession& m_session;
    QMenuBar* m_smartUI;
    report::PreviewControl* m_arViewer;
    StatusBar* m_status;
    QFrame* m_fraStatus;
    QLabel* m_lblPrinting = nullptr;
    QLabel* m_lblExporting = nullptr;
    QLabel* m_lblPageNbr = nullptr;
    QPushButton* m_btnCancel = nullptr;
    int m_stopTool = -1;
    bool m_unloaded = false;
    bool m_frameSettled = false;
};

} // namespace lumesk
