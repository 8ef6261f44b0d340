// The preview control as a user meets it, offscreen: pages shown while the report is generated,
// the toolbar's identifiers and renumbering, zoom and Ctrl+wheel, keys and page modes, lazy
// thumbnails, find with the hit highlighted, stopping and failing reports. Screenshots go to
// the test output folder.
#include "platform/reportengine/preview/PreviewControl.h"

#include "platform/reportengine/preview/FindBar.h"
#include "platform/reportengine/preview/PagesView.h"
#include "platform/reportengine/preview/PreviewToolBar.h"
#include "platform/reportengine/preview/ThumbnailPanel.h"
#include "platform/reportengine/tests/PreviewTestReport.h"
#include "platform/reportengine/tests/WineListPages.h"
#include "platform/shell/GTestScriptedUser.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <memory>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

using namespace Qt::StringLiterals;
using namespace report::testing;

namespace report {
namespace {

const QSize kWindow(900, 700);

QString outputFile(const QString& name)
{
    const QDir folder(qEnvironmentVariable("QV_TEST_OUTPUT_DIR", QDir::tempPath()));
    QDir().mkpath(folder.filePath(u"preview"_s));
    return folder.filePath(u"preview/"_s + name);
}

// Runs the event loop until `sender` emits `signal`, at most `ms` milliseconds.
template <typename Sender, typename Signal>
bool waitFor(Sender* sender, Signal signal, int ms = 60000)
{
    QEventLoop loop;
    bool emitted = false;
    QObject::connect(sender, signal, &loop, [&] {
        emitted = true;
        loop.quit();
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return emitted;
}

void pressKey(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&widget, &press);
}

// Types `text` into the box as keystrokes, replacing what it held.
void typeText(QLineEdit& box, const QString& text)
{
    box.selectAll();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&box, &press);
    }
}

void turnWheel(PagesView& view, const QPoint& at, int delta, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent wheel(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
}

void clickTool(PreviewControl& preview, int position)
{
    auto* button = qobject_cast<QAbstractButton*>(preview.toolBarWidget().buttonAt(position));
    ASSERT_NE(button, nullptr) << "no button at " << position;
    button->click();
}

// The page point (twips) under a viewport point.
QPointF twipsAt(const PagesView& view, int page, const QPoint& at)
{
    const QRect rect = view.layout().pageRect(page);
    const QPoint offset(view.horizontalScrollBar()->value(), view.verticalScrollBar()->value());
    return QPointF(at + offset - rect.topLeft()) / view.layout().scale();
}

class PreviewControlTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_database = std::make_unique<ReportTestDatabase>(previewCellar(400));
    }
    static void TearDownTestSuite() { s_database.reset(); }

    void SetUp() override
    {
        m_report = std::make_unique<PreviewTestReport>(*s_database);
        m_preview.resize(kWindow);
        m_preview.show();
        QApplication::processEvents();
    }

    // The report generated before the control gets it.
    void showGenerated()
    {
        m_report->run();
        m_preview.setReport(m_report.get());
        QApplication::processEvents();
    }

    PagesView& view() { return m_preview.pagesView(); }
    QSize viewport() { return view().viewport()->size(); }

    static std::unique_ptr<ReportTestDatabase> s_database;
    shell::GTestScriptedUser m_user;
    std::unique_ptr<PreviewTestReport> m_report;
    PreviewControl m_preview;
};

std::unique_ptr<ReportTestDatabase> PreviewControlTest::s_database;

TEST_F(PreviewControlTest, PagesShowWhileTheReportIsStillBeingGenerated)
{
    m_preview.setReport(m_report.get());
    EXPECT_EQ(m_preview.pageCount(), 0); // the run starts from the event loop

    struct Seen
    {
        int page;
        int shown;
        bool running;
    };
    std::vector<Seen> seen;
    QImage firstPage;
    QObject::connect(m_report.get(), &Report::pageAdded, &m_preview, [&](int page) {
        seen.push_back({page, m_preview.pageCount(), m_report->isRunning()});
        if (page == 1)
            firstPage = view().viewport()->grab().toImage();
    });
    int finished = 0;
    QObject::connect(&m_preview, &PreviewControl::generationFinished, [&] { ++finished; });
    ASSERT_TRUE(waitFor(&m_preview, &PreviewControl::generationFinished));

    const int pages = m_report->pages().count();
    ASSERT_GE(pages, 5);
    ASSERT_EQ(static_cast<int>(seen.size()), pages);
    for (int i = 0; i < pages; ++i) {
        EXPECT_EQ(seen[i].page, i + 1);
        EXPECT_EQ(seen[i].shown, i + 1); // the control counts every page as it comes
        EXPECT_TRUE(seen[i].running);
    }
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(m_preview.pageCount(), pages);
    EXPECT_EQ(m_preview.toolBarWidget().pageBox()->text(), u"1"_s);
    EXPECT_EQ(m_preview.findChild<QLabel*>(u"pageCount"_s)->text(), u"/ %1"_s.arg(pages));

    // While only page 1 existed, it was already painted: white paper in the window's middle.
    ASSERT_FALSE(firstPage.isNull());
    const QRect page = view().layout().pageRect(0);
    EXPECT_EQ(firstPage.pixelColor(page.center().x(), page.top() + 40), QColor(Qt::white));
    EXPECT_NE(firstPage.pixelColor(5, 5), QColor(Qt::white)); // the grey around the pages
}

TEST_F(PreviewControlTest, ToolsReportTheirIdentifiersAndCanBeAddedAndRenumbered)
{
    showGenerated();
    ToolBarModel& tools = m_preview.toolBar();
    ASSERT_EQ(tools.count(), 21);
    EXPECT_EQ(tools.tool(2).id, kToolPrint);
    QList<int> clicked;
    QObject::connect(&m_preview, &PreviewControl::toolClicked, [&](int id) { clicked << id; });

    // A program takes the print tool over and adds one of its own.
    tools.setId(2, 998);
    PreviewTool stop;
    stop.id = 999;
    stop.caption = u"Stop"_s;
    EXPECT_EQ(tools.add(stop), 21);
    QApplication::processEvents();

    clickTool(m_preview, 2); // no print dialog: the scripted user would fail the test
    clickTool(m_preview, 21);
    const double before = m_preview.zoomPercent();
    clickTool(m_preview, tools.positionOf(kToolZoomIn)); // the control's own tools still act
    EXPECT_EQ(clicked, (QList<int>{998, 999, kToolZoomIn}));
    EXPECT_GT(m_preview.zoomPercent(), before);
    EXPECT_EQ(m_preview.toolBarWidget().zoomBox()->currentText(),
              u"%1%"_s.arg(qRound(m_preview.zoomPercent())));

    tools.setEnabled(21, false);
    EXPECT_FALSE(m_preview.toolBarWidget().buttonAt(21)->isEnabled());
    tools.insert(0, stop); // everything after moves on by one
    EXPECT_EQ(tools.positionOf(998), 3);
    EXPECT_EQ(tools.tool(22).caption, u"Stop"_s);
    try {
        tools.setEnabled(23, false);
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::SubscriptOutOfRange);
    }
}

TEST_F(PreviewControlTest, ZoomFitsPercentagesAndCtrlWheelAboutThePointer)
{
    showGenerated();
    const int margin = PageLayout::kMargin;
    EXPECT_EQ(m_preview.zoom(), Zoom::fitWidth());
    EXPECT_NEAR(view().layout().pageRect(0).width(), viewport().width() - 2 * margin, 1);
    view().viewport()->grab().save(outputFile(u"fit-width.png"_s));

    m_preview.setZoom(Zoom::fitPage());
    EXPECT_NEAR(view().layout().pageRect(0).height(), viewport().height() - 2 * margin, 1);
    const int fitPage = m_preview.toolBar().positionOf(kToolFitPage);
    EXPECT_TRUE(m_preview.toolBar().tool(fitPage).checked);

    m_preview.setZoom(Zoom::percentOf(100));
    EXPECT_NEAR(view().layout().pageRect(0).width(), 11906 * view().logicalDpiX() / 1440.0, 1);

    // Ctrl+wheel: one notch is one step, and the paper under the pointer stays under it.
    view().verticalScrollBar()->setValue(300);
    const QPoint pointer(400, 250);
    const int page = view().layout().pageAt(pointer.y() + 300);
    const QPointF before = twipsAt(view(), page, pointer);
    turnWheel(view(), pointer, 120, Qt::ControlModifier);
    EXPECT_NEAR(m_preview.zoomPercent(), 125, 0.01);
    const QPointF after = twipsAt(view(), page, pointer);
    EXPECT_NEAR(after.x(), before.x(), 1 / view().layout().scale());
    EXPECT_NEAR(after.y(), before.y(), 1 / view().layout().scale());
    EXPECT_EQ(m_preview.toolBarWidget().zoomBox()->currentText(), u"125%"_s);
    turnWheel(view(), pointer, -240, Qt::ControlModifier);
    EXPECT_NEAR(m_preview.zoomPercent(), 75, 0.01);

    // Without Ctrl the wheel scrolls.
    const int scrolled = view().verticalScrollBar()->value();
    turnWheel(view(), pointer, -120, Qt::NoModifier);
    EXPECT_GT(view().verticalScrollBar()->value(), scrolled);
    EXPECT_NEAR(m_preview.zoomPercent(), 75, 0.01);

    // A zoom typed in the zoom box.
    QComboBox* box = m_preview.toolBarWidget().zoomBox();
    typeText(*box->lineEdit(), u"200"_s);
    pressKey(*box->lineEdit(), Qt::Key_Return);
    EXPECT_NEAR(m_preview.zoomPercent(), 200, 0.01);
}

TEST_F(PreviewControlTest, KeysAndToolsPageThroughContinuousAndSinglePages)
{
    showGenerated();
    const int pages = m_preview.pageCount();
    QList<int> current;
    QObject::connect(&m_preview, &PreviewControl::currentPageChanged,
                     [&](int number) { current << number; });

    pressKey(view(), Qt::Key_End);
    EXPECT_EQ(m_preview.currentPageNumber(), pages);
    pressKey(view(), Qt::Key_Home);
    EXPECT_EQ(m_preview.currentPageNumber(), 1);
    EXPECT_EQ(view().verticalScrollBar()->value(), 0);
    pressKey(view(), Qt::Key_PageDown);
    EXPECT_EQ(view().verticalScrollBar()->value(), viewport().height());
    pressKey(view(), Qt::Key_Down);
    EXPECT_GT(view().verticalScrollBar()->value(), viewport().height());
    pressKey(view(), Qt::Key_Right); // no sideways scrolling at fit width: the next page
    EXPECT_EQ(m_preview.currentPageNumber(), 2);
    EXPECT_EQ(current, (QList<int>{pages, 1, 2}));

    QLineEdit* pageBox = m_preview.toolBarWidget().pageBox();
    pageBox->setText(u"4"_s);
    pressKey(*pageBox, Qt::Key_Return);
    EXPECT_EQ(m_preview.currentPageNumber(), 4);
    EXPECT_EQ(view().verticalScrollBar()->value(),
              view().layout().pageRect(3).top() - PageLayout::kMargin);
    clickTool(m_preview, m_preview.toolBar().positionOf(kToolPreviousPage));
    EXPECT_EQ(m_preview.currentPageNumber(), 3);
    clickTool(m_preview, m_preview.toolBar().positionOf(kToolLastPage));
    EXPECT_EQ(m_preview.currentPageNumber(), pages);

    // One page at a time: only the current page is laid out; at fit page PgDn turns pages.
    clickTool(m_preview, m_preview.toolBar().positionOf(kToolSinglePage));
    EXPECT_EQ(m_preview.viewMode(), PageViewMode::SinglePage);
    m_preview.setZoom(Zoom::fitPage());
    pressKey(view(), Qt::Key_Home);
    EXPECT_TRUE(view().layout().pageRect(1).isEmpty());
    pressKey(view(), Qt::Key_PageDown);
    EXPECT_EQ(m_preview.currentPageNumber(), 2);
    EXPECT_FALSE(view().layout().pageRect(1).isEmpty());
    EXPECT_TRUE(view().layout().pageRect(0).isEmpty());
    pressKey(view(), Qt::Key_Left);
    EXPECT_EQ(m_preview.currentPageNumber(), 1);
    pressKey(view(), Qt::Key_PageUp); // at the first page nothing turns
    EXPECT_EQ(m_preview.currentPageNumber(), 1);

    // Zoomed in, PgDn scrolls down the page first and turns it at the bottom.
    m_preview.setZoom(Zoom::percentOf(150));
    pressKey(view(), Qt::Key_PageDown);
    EXPECT_EQ(m_preview.currentPageNumber(), 1);
    EXPECT_GT(view().verticalScrollBar()->value(), 0);
    view().verticalScrollBar()->setValue(view().verticalScrollBar()->maximum());
    pressKey(view(), Qt::Key_PageDown);
    EXPECT_EQ(m_preview.currentPageNumber(), 2);
    EXPECT_EQ(view().verticalScrollBar()->value(), 0);
}

TEST_F(PreviewControlTest, ThumbnailsAreMadeOnlyForThePagesInView)
{
    fillWineList(m_report->pages(), 60);
    m_preview.setReport(m_report.get());
    QApplication::processEvents();
    ThumbnailPanel& thumbnails = m_preview.thumbnails();
    EXPECT_EQ(thumbnails.rendered(), 0); // hidden: nothing made

    clickTool(m_preview, m_preview.toolBar().positionOf(kToolThumbnails));
    QApplication::processEvents();
    EXPECT_TRUE(m_preview.thumbnailsVisible());
    EXPECT_GT(thumbnails.rendered(), 0);
    EXPECT_LT(thumbnails.rendered(), 10);
    EXPECT_EQ(thumbnails.model()->rowCount(), 60);

    thumbnails.clicked(thumbnails.model()->index(5, 0));
    EXPECT_EQ(m_preview.currentPageNumber(), 6);
    m_preview.grab().save(outputFile(u"thumbnails.png"_s));

    clickTool(m_preview, m_preview.toolBar().positionOf(kToolThumbnails));
    EXPECT_FALSE(m_preview.thumbnailsVisible());
}

TEST_F(PreviewControlTest, FindShowsTheHitHighlightedOnItsPage)
{
    showGenerated();
    m_preview.showFindBar();
    FindBar& bar = m_preview.findBar();
    auto* text = bar.findChild<QLineEdit*>(u"findText"_s);
    typeText(*text, u"sassicaia"_s);
    pressKey(*text, Qt::Key_Return);

    const FindHit hit = m_preview.lastHit();
    ASSERT_TRUE(hit.isValid());
    EXPECT_EQ(m_preview.currentPageNumber(), hit.page + 1);
    EXPECT_EQ(bar.findChild<QLabel*>(u"findStatus"_s)->text(), u"Page %1"_s.arg(hit.page + 1));
    const QRect box = view().hitViewportRect();
    ASSERT_FALSE(box.isEmpty());
    EXPECT_TRUE(view().viewport()->rect().contains(box));
    const QImage shot = view().viewport()->grab().toImage();
    // Between the characters the highlight's amber shows: much more red than blue.
    int amber = 0;
    for (int x = box.left() + 1; x < box.right(); ++x) {
        const QColor c = shot.pixelColor(x, box.top() + 2);
        if (c.red() - c.blue() > 60)
            ++amber;
    }
    EXPECT_GT(amber, box.width() / 2);
    m_preview.grab().save(outputFile(u"find-hit.png"_s));

    // Shift+Enter goes back; a text that is nowhere removes the highlight.
    pressKey(*text, Qt::Key_Return);
    const FindHit next = m_preview.lastHit();
    EXPECT_NE(next, hit);
    pressKey(*text, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(m_preview.lastHit(), hit);
    typeText(*text, u"Chateau Petrus"_s);
    pressKey(*text, Qt::Key_Return);
    EXPECT_FALSE(m_preview.lastHit().isValid());
    EXPECT_TRUE(view().hitViewportRect().isEmpty());
    EXPECT_EQ(bar.findChild<QLabel*>(u"findStatus"_s)->text(), u"Not found"_s);
}

TEST_F(PreviewControlTest, AStoppedRunKeepsItsPagesAndAFailedOneSaysWhy)
{
    QObject::connect(m_report.get(), &Report::pageAdded, m_report.get(), [this](int page) {
        if (page == 2)
            m_report->stop();
    });
    m_preview.setReport(m_report.get());
    ASSERT_TRUE(waitFor(&m_preview, &PreviewControl::generationFinished));
    EXPECT_EQ(m_report->pages().state(), GenerationState::Stopped);
    EXPECT_LE(m_report->pages().count(), 3); // the page under way when it stopped may end
    EXPECT_EQ(m_preview.pageCount(), m_report->pages().count());

    PreviewTestReport broken(*s_database);
    broken.dcDetail().setSource(u"SELECT Nothing FROM tblMissing"_s);
    m_preview.setReport(&broken);
    ASSERT_TRUE(waitFor(&m_preview, &PreviewControl::generationFinished));
    EXPECT_EQ(broken.pages().state(), GenerationState::Failed);
    EXPECT_EQ(m_preview.pageCount(), 0);
    EXPECT_TRUE(view().message().contains(broken.pages().errorDescription()))
        << view().message().toStdString();
    m_preview.setReport(nullptr);
}

} // namespace
} // namespace report
