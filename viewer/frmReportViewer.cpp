// The viewer's window: its menu, preview, status bar and progress panel, and its commands.
#include "viewer/frmReportViewer.h"

#include "platform/reportengine/model/Report.h"
#include "platform/reportengine/preview/ToolIcons.h"
#include "platform/shell/MsgBox.h"
#include "platform/vb/Error.h"
#include "platform/vb/Rounding.h"
#include "reports/CommonTools.h"
#include "reports/LanguageHelper.h"
#include "viewer/PrintSettings.h"
#include "viewer/ReportExport.h"
#include "viewer/ScreenTwips.h"
#include "viewer/ViewerSession.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace lumesk {

namespace {

const QString kExportPrefix = u"mnuFile_Export_"_s;
const QSize kDefaultSize(900, 680);
const QSize kProgressPanel(330, 96);
constexpr int kToolPositionOfPrint = 2; // the preview's own print tool

// The status bar's panels that keep their width; the progress panel takes the rest.
const QStringList kFixedPanels{u"stsINS"_s, u"stsCAPS"_s, u"stsDATE"_s, u"stsTIME"_s,
                               u"stsGrabber"_s};

} // namespace

frmReportViewer::frmReportViewer(ViewerSession& session, QWidget* frmParentForm)
    : QWidget(frmParentForm, Qt::Window), m_session(session), m_smartUI(new QMenuBar(this)),
      m_arViewer(new report::PreviewControl(this)), m_status(new StatusBar(this)),
      m_fraStatus(new QFrame(this))
{
    setObjectName(u"frmReportViewer"_s);
    setProperty("Tag", u"ReportViewer"_s);
    setProperty("BorderStyle", 2); // sizable
    setWindowTitle(u"Report Viewer"_s);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(kDefaultSize);
    m_smartUI->setObjectName(u"SmartUI"_s);
    m_smartUI->setNativeMenuBar(false);
    m_arViewer->setObjectName(u"ARViewer21"_s);
    m_status->setObjectName(u"sbStatusBar"_s);
    buildMenu();
    buildProgressPanel();

    connect(m_arViewer, &report::PreviewControl::toolClicked, this,
            &frmReportViewer::ARViewer_ToolClick);
    // The end of generation switches the Stop tool off.
    connect(m_arViewer, &report::PreviewControl::generationFinished, this, [this] {
        if (m_stopTool >= 0 && m_stopTool < m_arViewer->toolBar().count())
            m_arViewer->toolBar().setEnabled(m_stopTool, false);
    });
    connect(m_btnCancel, &QPushButton::clicked, this, &frmReportViewer::btnCancel_Click);
    // Printing shows its pages in the progress panel as generation does.
    if (m_session.report != nullptr)
        connect(m_session.report, &report::Report::printProgressed, this, [this](int page) {
            try {
                ShowProgress(page);
            } catch (const vb::Error&) {
                // A progress that cannot be shown does not stop the print.
            }
        });

    Form_Load();
}

frmReportViewer::~frmReportViewer() = default;

void frmReportViewer::buildMenu()
{
    QMenu* file = m_smartUI->addMenu(u"d_&File"_s);
    file->setObjectName(u"mnuFile"_s);
    file->menuAction()->setObjectName(u"mnuFile"_s);
    QMenu* exports = file->addMenu(u"d_&Export"_s);
    exports->setObjectName(u"mnuFile_Export"_s);
    exports->menuAction()->setObjectName(u"mnuFile_Export"_s);
    addItem(*exports, u"mnuFile_Export_Text"_s, u"d_&Text..."_s);
    addItem(*exports, u"mnuFile_Export_PDF"_s, u"d_&PDF..."_s);
    addItem(*exports, u"mnuFile_Export_HTML"_s, u"d_&HTML..."_s);
    addItem(*exports, u"mnuFile_Export_RTF"_s, u"d_&RTF..."_s);
    addItem(*exports, u"mnuFile_Export_Excel"_s, u"d_E&xcel..."_s);
    addItem(*exports, u"mnuFile_Export_TIF"_s, u"d_T&IFF..."_s);
    file->addSeparator();
    addItem(*file, u"mnuFile_Print"_s, u"d_&Print..."_s)->setShortcut(QKeySequence::Print);
    addItem(*file, u"mnuFile_PrinterSetup"_s, u"d_Printer &Setup..."_s);
    file->addSeparator();
    addItem(*file, u"mnuFile_Exit"_s, u"d_E&xit"_s);
}

QAction* frmReportViewer::addItem(QMenu& menu, const QString& key, const QString& caption)
{
    QAction* item = menu.addAction(caption);
    item->setObjectName(key);
    connect(item, &QAction::triggered, this, [this, key] { SmartUI_ItemClick(key); });
    return item;
}

void frmReportViewer::buildProgressPanel()
{
    m_fraStatus->setObjectName(u"fraStatus"_s);
    m_fraStatus->setFrameShape(QFrame::Panel);
    m_fraStatus->setFrameShadow(QFrame::Raised);
    m_fraStatus->setAutoFillBackground(true);
    m_fraStatus->resize(kProgressPanel);
    m_lblPrinting = new QLabel(u"d_Printing page"_s, m_fraStatus);
    m_lblPrinting->setObjectName(u"lblPrinting"_s);
    m_lblPrinting->setGeometry(16, 14, 160, 24);
    m_lblExporting = new QLabel(u"d_Exporting page"_s, m_fraStatus);
    m_lblExporting->setObjectName(u"lblExporting"_s);
    m_lblExporting->setGeometry(16, 14, 160, 24);
    m_lblPageNbr = new QLabel(m_fraStatus);
    m_lblPageNbr->setObjectName(u"lblPageNbr"_s);
    m_lblPageNbr->setGeometry(180, 14, 134, 24);
    m_lblPageNbr->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_btnCancel = new QPushButton(u"d_Abort printing"_s, m_fraStatus);
    m_btnCancel->setObjectName(u"btnCancel"_s);
    m_btnCancel->setGeometry((kProgressPanel.width() - 150) / 2, 52, 150, 30);
    m_fraStatus->hide();
}

void frmReportViewer::Form_Load()
{
    reports::CommonTools& tools = *m_session.commonTools;
    tools.ShowHourglassPointer();
    try {
        tools.CenterWindow(*this);
        m_session.registry->LoadFormPosition(*this);
        m_session.langHelper->SetFormControls(*this);
        m_session.langHelper->SetSmartUILanguage(objectName(), *m_smartUI);

        report::PreviewTool stop;
        stop.id = kToolStop;
        stop.caption = u"Stop"_s;
        stop.toolTip = u"Stop making the report"_s;
        stop.icon = report::toolIcon(report::ToolIcon::Stop);
        m_stopTool = m_arViewer->toolBar().add(stop);
        m_arViewer->toolBar().setId(kToolPositionOfPrint, kToolPrint);
    } catch (...) {
        tools.ShowDefaultPointer();
        throw;
    }
    tools.ShowDefaultPointer();
}

void frmReportViewer::SmartUI_ItemClick(const QString& itemKey)
{
    try {
        if (itemKey == u"mnuFile_Print"_s)
            mnuFile_Print();
        else if (itemKey == u"mnuFile_PrinterSetup"_s)
            mnuFile_PrinterSetup();
        else if (itemKey == u"mnuFile_Exit"_s)
            close();
        else if (itemKey.startsWith(kExportPrefix))
            ExportReport(*this, exportTypeOf(itemKey.mid(kExportPrefix.size())));
    } catch (const vb::Error&) {
        // A command that fails ends quietly.
    } catch (const std::exception&) {
    }
    hideProgressPanel();
}

void frmReportViewer::mnuFile_Print()
{
    showProgressPanel(true);
    if (m_session.report != nullptr)
        m_session.report->printReport(true);
    hideProgressPanel();
}

void frmReportViewer::mnuFile_PrinterSetup()
{
    report::Report& shown = *m_session.report;
    shown.printer().setupDialog(this);
    shown.restart();
    m_arViewer->setReport(&shown);
}

void frmReportViewer::ARViewer_ToolClick(int tool)
{
    if (tool == kToolPrint) {
        SmartUI_ItemClick(u"mnuFile_Print"_s);
    } else if (tool == kToolStop && m_arViewer->report() != nullptr) {
        m_arViewer->report()->stop();
        shell::msgBox(u"Report Stopped"_s, shell::vbOKOnly, windowTitle());
    }
}

void frmReportViewer::btnCancel_Click()
{
    if (m_session.report != nullptr)
        m_session.report->cancelPrinting();
    hideProgressPanel();
}

void frmReportViewer::ShowProgress(int lngPageNumber)
{
    const int count = m_arViewer->pageCount();
    if (count == 0)
        throw vb::Error(vb::ErrorNumber::DivisionByZero);
    const double percent = vb::roundHalfEven(double(lngPageNumber) / count * 100.0);
    if (percent < 0 || percent > 100)
        throw vb::Error(380, u"Invalid property value"_s, objectName());
    m_lblPageNbr->setText(u"%1 / %2"_s.arg(lngPageNumber).arg(count));
    m_lblPageNbr->repaint();
    m_status->progressBar().setValue(static_cast<int>(percent));
}

void frmReportViewer::showProgressPanel(bool printing)
{
    m_lblPrinting->setVisible(printing);
    m_lblExporting->setVisible(!printing);
    m_btnCancel->setVisible(printing);
    m_lblPageNbr->clear();
    m_fraStatus->raise();
    m_fraStatus->show();
}

void frmReportViewer::hideProgressPanel()
{
    m_fraStatus->hide();
    m_status->progressBar().setValue(0);
}

void frmReportViewer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmReportViewer::Form_Resize()
{
    const int top = twipsToPixelsY(*this, kMenuHeightTwips);
    const int statusHeight = m_status->sizeHint().height();
    m_smartUI->setGeometry(0, 0, width(), top);
    m_status->setGeometry(0, height() - statusHeight, width(), statusHeight);
    m_arViewer->setGeometry(0, top, width(), std::max(0, height() - statusHeight - top));
    int fixed = 0;
    for (const QString& key : kFixedPanels)
        fixed += m_status->panelWidth(key);
    m_status->setPanelWidth(u"stsProgressBar"_s, m_status->width() - fixed);
    m_fraStatus->move((width() - m_fraStatus->width()) / 2, (height() - m_fraStatus->height()) / 2);
}

void frmReportViewer::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    settleFrame();
}

void frmReportViewer::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    settleFrame();
}

void frmReportViewer::settleFrame()
{
    // The window gets its frame only when it shows (some window managers later still), so the
    // stored size, which is the framed window's, could not take the frame off when the window
    // loaded: applied once more now, the window keeps its size from one opening to the next
    // instead of growing by its frame.
    if (!m_frameSettled && isVisible() && frameGeometry().size() != size() &&
        m_session.registry != nullptr) {
        m_frameSettled = true;
        m_session.registry->LoadFormPosition(*this);
    }
}

void frmReportViewer::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmReportViewer::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    // A generation or print still running ends, so that the window's modal loop can end.
    if (report::Report* shown = m_arViewer->report()) {
        shown->stop();
        shown->cancelPrinting();
    }
    m_session.registry->SaveFormPosition(*this);
    SavePrintSettings(*m_session.registry, m_session.printSettingsKey, m_arViewer->printer());
}

} // namespace lumesk
