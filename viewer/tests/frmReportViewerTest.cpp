// The viewer window driven offscreen through PreviewReport with a scripted user: start-up and
// its captions, menu and status bar, progress, Stop, Exit, the window position kept across
// openings, the resize rules, errors of PreviewReport, and screenshots of the report.
#include "platform/shell/tests/QtTestApplication.h"
#include "platform/reportengine/preview/FindBar.h"
#include "platform/reportengine/preview/PagesView.h"
#include "platform/reportengine/preview/PreviewToolBar.h"
#include "platform/reportengine/tests/WineListPages.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/WaitCursor.h"
#include "platform/vb/Error.h"
#include "viewer/ScreenTwips.h"
#include "viewer/tests/ViewerTestSession.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTime>

QV_QT_TEST_APPLICATION();

using namespace Qt::StringLiterals;

namespace lumesk::testing {
namespace {

frmReportViewer& viewerWindow(QWidget& window)
{
    return static_cast<frmReportViewer&>(window);
}

QStringList itemKeys(const QMenu& menu)
{
    QStringList keys;
    for (const QAction* action : menu.actions())
        if (!action->isSeparator())
            keys << action->objectName();
    return keys;
}

QString labelText(QWidget& window, const QString& name)
{
    auto* label = window.findChild<QLabel*>(name);
    return label != nullptr ? label->text() : u"<no %1>"_s.arg(name);
}

class frmReportViewerTest : public ViewerTest
{
};

TEST_F(frmReportViewerTest, StartsUpInTheUsersLanguageWithItsMenuStatusBarAndTools)
{
    bool pointerWasDefault = false;
    const reports::CallResult result = preview([&](QWidget& shown) {
        frmReportViewer& window = viewerWindow(shown);
        pointerWasDefault = shell::mousePointer() == shell::vbDefault;
        EXPECT_EQ(window.property("Tag").toString(), u"ReportViewer"_s);
        EXPECT_EQ(window.parentWidget(), &m_parent);
        EXPECT_TRUE(window.isModal());

        // Captions from the language database.
        EXPECT_EQ(labelText(window, u"lblPrinting"_s), u"Drucke Seite"_s);
        EXPECT_EQ(labelText(window, u"lblExporting"_s), u"Exportiere Seite"_s);
        EXPECT_EQ(window.findChild<QPushButton*>(u"btnCancel"_s)->text(), u"Druck abbrechen"_s);
        EXPECT_FALSE(window.fraStatus().isVisible());

        auto* file = window.findChild<QMenu*>(u"mnuFile"_s);
        auto* exports = window.findChild<QMenu*>(u"mnuFile_Export"_s);
        ASSERT_TRUE(file && exports);
        EXPECT_EQ(window.SmartUI().actions().first()->text(), u"&Datei"_s);
        EXPECT_EQ(itemKeys(*file), (QStringList{u"mnuFile_Export"_s, u"mnuFile_Print"_s,
                                                u"mnuFile_PrinterSetup"_s, u"mnuFile_Exit"_s}));
        EXPECT_EQ(itemKeys(*exports),
                  (QStringList{u"mnuFile_Export_Text"_s, u"mnuFile_Export_PDF"_s,
                               u"mnuFile_Export_HTML"_s, u"mnuFile_Export_RTF"_s,
                               u"mnuFile_Export_Excel"_s, u"mnuFile_Export_TIF"_s}));
        QStringList captions;
        for (const QAction* action : file->actions())
            if (!action->isSeparator())
                captions << action->text();
        EXPECT_EQ(captions, (QStringList{u"&Exportieren"_s, u"&Drucken..."_s,
                                         u"Drucker &einrichten..."_s, u"&Beenden"_s}));
        for (const QAction* action : exports->actions())
            EXPECT_FALSE(action->text().startsWith(u"d_"_s)) << action->text().toStdString();

        EXPECT_EQ(window.Status().panelKeys(),
                  (QStringList{u"stsProgressBar"_s, u"stsINS"_s, u"stsCAPS"_s, u"stsDATE"_s,
                               u"stsTIME"_s, u"stsGrabber"_s}));
        const QString time = labelText(window, u"stsTIME"_s);
        EXPECT_TRUE(QRegularExpression(u"^\\d\\d:\\d\\d$"_s).match(time).hasMatch())
            << time.toStdString();
        const QTime shown_ = QTime::fromString(time, u"HH:mm"_s);
        EXPECT_LE(std::abs(shown_.secsTo(QTime::currentTime())), 120);

        // The toolbar: the preview's print tool is the viewer's 998, Stop 999 after the
        // preview's 21 tools.
        report::ToolBarModel& tools = window.ARViewer().toolBar();
        EXPECT_EQ(tools.tool(2).id, frmReportViewer::kToolPrint);
        EXPECT_EQ(window.stopToolPosition(), 21);
        EXPECT_EQ(tools.tool(21).id, frmReportViewer::kToolStop);
        EXPECT_EQ(tools.tool(21).caption, u"Stop"_s);
        clickItem(window, u"mnuFile_Exit"_s);
    });
    ASSERT_TRUE(result.succeeded()) << result.description.toStdString();
    EXPECT_TRUE(pointerWasDefault);
    // Hourglass first, then the window centred (its stored place is put after), normal pointer.
    EXPECT_EQ(m_tools->calls,
              (QStringList{u"ShowHourglassPointer"_s, u"CenterWindow"_s, u"ShowDefaultPointer"_s}));
}

TEST_F(frmReportViewerTest, ThePagesComeWithTheirProgressAndGenerationSwitchesStopOff)
{
    const reports::CallResult result = preview([&](QWidget& shown) {
        frmReportViewer& window = viewerWindow(shown);
        const int pages = m_report->pages().count();
        ASSERT_EQ(m_report->pages().state(), report::GenerationState::Finished);
        ASSERT_GE(pages, 4);
        EXPECT_EQ(window.ARViewer().pageCount(), pages);
        // The module's report told the viewer every page, each then the last one there was.
        ASSERT_EQ(static_cast<int>(m_report->progress.size()), pages);
        for (const reports::CallResult& call : m_report->progress)
            EXPECT_TRUE(call.succeeded()) << call.description.toStdString();
        EXPECT_EQ(labelText(window, u"lblPageNbr"_s), u"%1 / %1"_s.arg(pages));
        EXPECT_EQ(window.Status().progressBar().value(), 100);
        EXPECT_FALSE(window.ARViewer().toolBar().tool(21).enabled);
        EXPECT_FALSE(window.ARViewer().toolBarWidget().buttonAt(21)->isEnabled());
        clickItem(window, u"mnuFile_Exit"_s);
    });
    EXPECT_TRUE(result.succeeded()) << result.description.toStdString();
}

TEST_F(frmReportViewerTest, ProgressIsTheRoundedPercentOfThePagesThereAre)
{
    report::testing::fillWineList(m_report->pages(), 8);
    const reports::CallResult result = preview([&](QWidget& shown) {
        frmReportViewer& window = viewerWindow(shown);
        const QProgressBar& bar = window.Status().progressBar();
        struct Case
        {
            int page;
            QString label;
            int percent;
        };
        // 12.5 and 37.5 round to the even neighbour, as VB rounds.
        for (const Case& c : {Case{1, u"1 / 8"_s, 12}, Case{3, u"3 / 8"_s, 38},
                              Case{5, u"5 / 8"_s, 62}, Case{8, u"8 / 8"_s, 100}}) {
            const reports::CallResult call = m_viewer.ProgressStatus(c.page);
            EXPECT_TRUE(call.succeeded()) << call.description.toStdString();
            EXPECT_EQ(labelText(window, u"lblPageNbr"_s), c.label);
            EXPECT_EQ(bar.value(), c.percent) << c.page;
        }
        const reports::CallResult beyond = m_viewer.ProgressStatus(9);
        EXPECT_EQ(beyond.number, 380);
        clickItem(window, u"mnuFile_Exit"_s);
    });
    EXPECT_TRUE(result.succeeded());
    // Without a window there is nothing to show the progress in.
    EXPECT_EQ(m_viewer.ProgressStatus(1).number, vb::ErrorNumber::ObjectVariableNotSet);
}

TEST_F(frmReportViewerTest, StopEndsTheGenerationWithReportStopped)
{
    m_user.expectMessage(shell::PromptMatcher::exactly(u"Report Stopped"_s), shell::vbOK);
    int pagesWhenStopped = 0;
    QObject::connect(m_report.get(), &report::Report::pageAdded, m_report.get(), [&](int page) {
        if (page != 2)
            return;
        auto* window = m_viewer.window();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->ARViewer().toolBar().tool(21).enabled);
        clickTool(*window, 21);
        pagesWhenStopped = page;
    });
    const reports::CallResult result = preview([&](QWidget& shown) {
        frmReportViewer& window = viewerWindow(shown);
        EXPECT_EQ(m_report->pages().state(), report::GenerationState::Stopped);
        EXPECT_LE(window.ARViewer().pageCount(), pagesWhenStopped + 1);
        EXPECT_FALSE(window.ARViewer().toolBar().tool(21).enabled);
        clickItem(window, u"mnuFile_Exit"_s);
    });
    EXPECT_TRUE(result.succeeded());
    ASSERT_EQ(m_user.messages().size(), 1u);
    EXPECT_EQ(m_user.messages()[0].style, shell::vbOKOnly);
    EXPECT_EQ(m_user.messages()[0].title, u"Report Viewer"_s);
}

TEST_F(frmReportViewerTest, ExitSavesThePositionAndThePrinterValuesAsTexts)
{
    QRect placed;
    const reports::CallResult result = preview([&](QWidget& shown) {
        shown.setGeometry(130, 90, 820, 610);
        placed = shown.frameGeometry();
        clickItem(viewerWindow(shown), u"mnuFile_Exit"_s);
        EXPECT_FALSE(shown.isVisible());
    });
    ASSERT_TRUE(result.succeeded());
    const double twipsX = 1440.0 / m_parent.screen()->logicalDotsPerInchX();
    const double twipsY = 1440.0 / m_parent.screen()->logicalDotsPerInchY();
    cRegistry registry;
    const auto number = [&](const char* name) {
        return registry.GetRegistryLong(reg::HKEY_CURRENT_USER, formPositionKey(), name, -1);
    };
    EXPECT_EQ(number("X"), qRound(placed.x() * twipsX));
    EXPECT_EQ(number("Y"), qRound(placed.y() * twipsY));
    EXPECT_EQ(number("cX"), qRound(placed.width() * twipsX));
    EXPECT_EQ(number("cY"), qRound(placed.height() * twipsY));
    EXPECT_EQ(number("WindowState"), 0);

    for (const char* name : {"DeviceName", "Orientation", "ColorMode", "PaperSize", "Duplex",
                             "PaperBin", "PrintQuality", "PaperHeight", "PaperWidth"}) {
        registry.setSectionKey(printSettingsKey());
        registry.setValueKey(QString::fromLatin1(name));
        EXPECT_TRUE(registry.Value().isString()) << name;
    }
    const report::Printer& printer = m_report->printer();
    EXPECT_EQ(storedText(printSettingsKey(), u"Orientation"_s),
              QString::number(printer.orientation()));
    EXPECT_EQ(storedText(printSettingsKey(), u"PaperWidth"_s),
              QString::number(printer.paperWidth()));
    EXPECT_EQ(storedText(printSettingsKey(), u"PaperBin"_s), u"7"_s);
}

TEST_F(frmReportViewerTest, ComesBackAtTheSamePlaceAndSizeEveryTime)
{
    const QRect area = m_parent.screen()->availableGeometry();
    const double twipsX = 1440.0 / m_parent.screen()->logicalDotsPerInchX();
    const double twipsY = 1440.0 / m_parent.screen()->logicalDotsPerInchY();
    const QRect stored(area.x() + 60, area.y() + 40, 700, 520);
    cRegistry registry;
    const reg::Hkey hkcu = reg::HKEY_CURRENT_USER;
    registry.PutRegistryLong(hkcu, formPositionKey(), u"WindowState"_s, 0);
    registry.PutRegistryLong(hkcu, formPositionKey(), u"X"_s, qRound(stored.x() * twipsX));
    registry.PutRegistryLong(hkcu, formPositionKey(), u"Y"_s, qRound(stored.y() * twipsY));
    registry.PutRegistryLong(hkcu, formPositionKey(), u"cX"_s, qRound(stored.width() * twipsX));
    registry.PutRegistryLong(hkcu, formPositionKey(), u"cY"_s, qRound(stored.height() * twipsY));

    for (int opening = 1; opening <= 5; ++opening) {
        SCOPED_TRACE(opening);
        m_report = std::make_unique<ModuleReport>(*s_cellar);
        m_report->viewer = &m_viewer;
        QRect shownAt;
        const reports::CallResult result = preview([&](QWidget& shown) {
            shownAt = shown.frameGeometry();
            clickItem(viewerWindow(shown), u"mnuFile_Exit"_s);
        });
        ASSERT_TRUE(result.succeeded());
        EXPECT_EQ(shownAt, stored);
    }
}

TEST_F(frmReportViewerTest, ResizingKeepsThePreviewBetweenMenuAndStatusBar)
{
    const reports::CallResult result = preview([&](QWidget& shown) {
        frmReportViewer& window = viewerWindow(shown);
        for (const QSize size : {QSize(1000, 700), QSize(640, 480), QSize(1200, 900)}) {
            SCOPED_TRACE(size.width());
            window.resize(size);
            const int top = twipsToPixelsY(window, frmReportViewer::kMenuHeightTwips);
            const QRect status = window.Status().geometry();
            const QRect viewer = window.ARViewer().geometry();
            EXPECT_EQ(viewer.top(), top);
            EXPECT_EQ(viewer.width(), size.width());
            EXPECT_EQ(viewer.bottom() + 1, status.top());
            EXPECT_EQ(status.bottom() + 1, size.height());
            EXPECT_EQ(status.width(), size.width());
            int others = 0;
            for (const QString& key :
                 {u"stsINS"_s, u"stsCAPS"_s, u"stsDATE"_s, u"stsTIME"_s, u"stsGrabber"_s})
                others += window.Status().panel(key)->width();
            EXPECT_EQ(window.Status().panel(u"stsProgressBar"_s)->width(), size.width() - others);
            // The grabber ends at the window's right edge.
            EXPECT_EQ(window.Status().panel(u"stsGrabber"_s)->geometry().right(), size.width() - 1);
            const QRect panel = window.fraStatus().geometry();
            EXPECT_NEAR(panel.center().x(), size.width() / 2, 1);
            EXPECT_NEAR(panel.center().y(), size.height() / 2, 1);
        }
        clickItem(window, u"mnuFile_Exit"_s);
    });
    EXPECT_TRUE(result.succeeded());
}

TEST_F(frmReportViewerTest, ExportItemsAndFailedCommandsLeaveThePanelHidden)
{
    const reports::CallResult result = preview([&](QWidget& shown) {
        frmReportViewer& window = viewerWindow(shown);
        for (const QString& type :
             {u"Text"_s, u"PDF"_s, u"HTML"_s, u"RTF"_s, u"Excel"_s, u"TIF"_s}) {
            m_user.expectSaveFileName({}); // the export's file dialog, cancelled
            clickItem(window, u"mnuFile_Export_"_s + type);
            EXPECT_FALSE(window.fraStatus().isVisible());
        }
        // A command that fails (the set-up's new run of the report cannot read its data)
        // ends quietly, the panel hidden and the bar at 0; the preview says what went wrong.
        m_report->dcDetail().setSource(u"SELECT Country, Wine, Price FROM tblGone"_s);
        m_user.expectModal(QString::fromLatin1(report::Printer::kSetupDialogName),
                           [](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); });
        window.Status().progressBar().setValue(40);
        clickItem(window, u"mnuFile_PrinterSetup"_s);
        EXPECT_EQ(m_report->pages().state(), report::GenerationState::Failed);
        EXPECT_FALSE(window.fraStatus().isVisible());
        EXPECT_EQ(window.Status().progressBar().value(), 0);
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(window.ARViewer().pagesView().message().contains(u"tblGone"_s))
            << window.ARViewer().pagesView().message().toStdString();
        clickItem(window, u"mnuFile_Exit"_s);
    });
    EXPECT_TRUE(result.succeeded());
}

TEST_F(frmReportViewerTest, AnErrorInPreviewReportIsTheCallsResultAndShowsNothing)
{
    // A stored setting that is no number: the conversion's error, and no window (the scripted
    // user fails the test on any window it was not told of).
    store(printSettingsKey(), u"PaperSize"_s, u"A4 please"_s);
    const reports::CallResult result = m_viewer.PreviewReport(
        &m_parent, *m_report, *m_language, *m_tools, m_regObject, u"rptTestList"_s);
    EXPECT_EQ(result.number, vb::ErrorNumber::TypeMismatch);
    EXPECT_TRUE(m_user.modals().empty());
    EXPECT_EQ(m_viewer.window(), nullptr);
}

TEST_F(frmReportViewerTest, ScreenshotsOfTheViewerOnAReport)
{
    const reports::CallResult result = preview([&](QWidget& shown) {
        frmReportViewer& window = viewerWindow(shown);
        window.resize(1000, 760);
        QApplication::processEvents();
        report::PreviewControl& preview = window.ARViewer();
        preview.setZoom(report::Zoom::fitWidth());
        window.grab().save(outputFile(u"viewer-fit-width.png"_s));

        preview.setThumbnailsVisible(true);
        preview.goToPage(2);
        QApplication::processEvents();
        window.grab().save(outputFile(u"viewer-thumbnails.png"_s));
        preview.setThumbnailsVisible(false);

        preview.showFindBar();
        ASSERT_TRUE(preview.find(u"Quinta do Noval"_s));
        QApplication::processEvents();
        EXPECT_FALSE(preview.pagesView().hitViewportRect().isEmpty());
        window.grab().save(outputFile(u"viewer-find.png"_s));

        // The progress panel as it shows while printing.
        window.fraStatus().show();
        window.findChild<QLabel*>(u"lblExporting"_s)->hide();
        window.findChild<QLabel*>(u"lblPageNbr"_s)->setText(u"3 / 7"_s);
        window.grab().save(outputFile(u"viewer-progress.png"_s));
        clickItem(window, u"mnuFile_Exit"_s);
    });
    EXPECT_TRUE(result.succeeded());
}

} // namespace
} // namespace lumesk::testing
