#pragma once

// The analyser's window: "Quorvex Kestrune", a large status label ("WORKING", then "DONE") and
// the buttons "&Copy to clipboard" and "&Quit". The run starts as soon as the window is shown.

#include "FileAnalysis.h"

#include <memory>
#include <QWidget>

class QLabel;
class QPushButton;

class frmMain : public QWidget
{
    Q_OBJECT

public:
    explicit frmMain(analyser::AnalyserOptions options, QWidget* parent = nullptr);
    ~frmMain() override;

    // Runs the analysis now (the window calls it once after it is first shown).
    void runAnalysis();
    bool finished() const { return m_finished; }
    QString reportPath() const { return m_analysis.reportPath(); }

    void cmdCopy_Click();
    void cmdQuit_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    analyser::FileAnalysis m_analysis;
    QLabel* m_lblStatus = nullptr;
    QPushButton* m_cmdCopy = nullptr;
    QPushButton* m_cmdQuit = nullptr;
    bool m_started = false;
    bool m_running = false;
    bool m_finished = false;
};
