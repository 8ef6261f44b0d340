#pragma once

// The updater's main window: what the run is doing (lblStatus), the progress line (lblStep),
// and cmdOK ("Close"), enabled once the update has succeeded. Its position is kept in the
// registry like that of every window of the suite.
//
// While a run is in progress the window cannot be closed: closing it then would leave the
// databases half updated with nobody left to restore them. The request is noted and the run
// goes on to its normal end, which closes the window.

#include <QWidget>

class QLabel;
class QPushButton;

namespace updater {

class frmMain : public QWidget
{
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);

    QLabel& lblStatus() const { return *m_lblStatus; }
    QLabel& lblStep() const { return *m_lblStep; }
    QPushButton& cmdOK() const { return *m_cmdOK; }

    // Shows the window where it was last time and paints it at once.
    void showAndPaint();
    void setRunning(bool running) noexcept { m_running = running; }
    bool running() const noexcept { return m_running; }
    // Whether someone tried to close the window while the run was in progress.
    bool closeRefused() const noexcept { return m_closeRefused; }
    // Sets the progress line and repaints, for ShowProgress.
    void showProgressText(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_lblStatus;
    QLabel* m_lblStep;
    QPushButton* m_cmdOK;
    bool m_running = false;
    bool m_closeRefused = false;
    bool m_positionLoaded = false;
};

} // namespace updater
