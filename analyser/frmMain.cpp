#include "frmMain.h"

#include "MClipFileCopy.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/Shell.h"
#include "platform/shell/WaitCursor.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

analyser::AnalyserOptions withEventPump(analyser::AnalyserOptions options)
{
    options.silent = false;
    options.afterLine = [] { shell::doEvents(); };
    return options;
}

} // namespace

frmMain::frmMain(analyser::AnalyserOptions options, QWidget* parent)
    : QWidget(parent), m_analysis(withEventPump(std::move(options)))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(analyser::kCaption);

    m_lblStatus = new QLabel(this);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_lblStatus->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial Black"));
    font.setPointSize(28);
    m_lblStatus->setFont(font);

    m_cmdCopy = new QPushButton(QStringLiteral("&Copy to clipboard"), this);
    m_cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
    m_cmdQuit = new QPushButton(QStringLiteral("&Quit"), this);
    m_cmdQuit->setObjectName(QStringLiteral("cmdQuit"));
    connect(m_cmdCopy, &QPushButton::clicked, this, &frmMain::cmdCopy_Click);
    connect(m_cmdQuit, &QPushButton::clicked, this, &frmMain::cmdQuit_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdCopy);
    buttons->addWidget(m_cmdQuit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblStatus, 1);
    layout->addLayout(buttons);
    resize(420, 200);
}

frmMain::~frmMain() = default;

void frmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_started)
        QTimer::singleShot(0, this, &frmMain::runAnalysis);
}

void frmMain::runAnalysis()
{
    if (m_started)
        return;
    m_started = true;
    m_running = true;
    m_lblStatus->setText(QStringLiteral("WORKING"));
    m_cmdCopy->setEnabled(false);
    repaint();

    shell::setMousePointer(shell::vbHourglass);
    const analyser::FileAnalysis::Result result = m_analysis.run();
    shell::setMousePointer(shell::vbDefault);
    m_running = false;

    switch (result) {
    case analyser::FileAnalysis::Result::Done:
        m_finished = true;
        m_lblStatus->setText(QStringLiteral("DONE"));
        m_cmdCopy->setEnabled(true);
        break;
    case analyser::FileAnalysis::Result::ReportNotWritten:
        shell::msgBox(m_analysis.failure(), shell::vbCritical, analyser::kCaption);
        close();
        break;
    case analyser::FileAnalysis::Result::EngineMissing:
        // The run has told the user; the program ends at once.
        close();
        break;
    case analyser::FileAnalysis::Result::Stopped:
        break;
    }
}

void frmMain::cmdCopy_Click()
{
    if (ClipboardCopyFiles({reportPath()})) {
        shell::msgBox(QStringLiteral("The file analysis report has been copied to the Windows "
                                     "clipboard.\r\nPaste it in your reply to the Quorvex "
                                     "Support Team."),
                      shell::vbInformation, analyser::kCaption);
    } else {
        shell::msgBox(QStringLiteral("An error occured while trying to copy the file analysis "
                                     "report."),
                      shell::vbOKOnly, analyser::kCaption);
    }
}

void frmMain::cmdQuit_Click()
{
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // A run still going ends after its current line and closes the report itself.
    if (m_running)
        m_analysis.requestStop();
    shell::setMousePointer(shell::vbDefault);
    event->accept();
}
