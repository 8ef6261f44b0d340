// viewer_bench: the report viewer on a 20,000-row wine list. Measures the time from
// PreviewReport to the first page painted in the viewer window (target: under 0.5 s), then
// scrolls the window through 100 pages painting every step, and reports frames per second
// against the nearest raw baseline: the same pages rendered straight to images at the same
// width, without the window, its layout or its cache.
//
//   viewer_bench [ROWS]     (default 20000)

#include "host/HostCommonTools.h"
#include "host/HostLanguageHelper.h"
#include "platform/reportengine/preview/PagesView.h"
#include "platform/reportengine/render/PageRenderer.h"
#include "platform/reportengine/tests/PreviewTestReport.h"
#include "platform/shell/ScriptedUser.h"
#include "viewer/clsReportViewer.h"
#include "viewer/frmReportViewer.h"

#include <chrono>
#include <cstdio>
#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

constexpr int kScrolledPages = 100;
constexpr int kStepsPerPage = 4;

// Notes when the pages view first finishes painting a page.
class FirstPaint : public QObject
{
public:
    FirstPaint(report::PagesView& view, Clock::time_point start) : m_view(view), m_start(start)
    {
        view.viewport()->installEventFilter(this);
    }
    double seconds() const { return m_seconds; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || m_inside || m_seconds > 0 ||
            m_view.layout().pageCount() == 0)
            return false;
        // The paint itself, run here, so the time taken is the page on the screen.
        m_inside = true;
        QCoreApplication::sendEvent(watched, event);
        m_inside = false;
        m_seconds = ::seconds(m_start);
        return true;
    }

private:
    report::PagesView& m_view;
    Clock::time_point m_start;
    bool m_inside = false;
    double m_seconds = 0;
};

struct ScrollResult
{
    int frames = 0;
    double seconds = 0;
    int pages = 0;
};

// Scrolls from page 1 down through `pages` pages, a quarter page per painted frame.
ScrollResult scrollThrough(report::PagesView& view, int pages)
{
    QScrollBar& bar = *view.verticalScrollBar();
    const int pitch = view.layout().pageRect(1).top() - view.layout().pageRect(0).top();
    const int end = std::min(bar.maximum(), pitch * pages);
    ScrollResult result;
    const auto start = Clock::now();
    for (int y = 0; y <= end; y += pitch / kStepsPerPage) {
        bar.setValue(y);
        view.viewport()->repaint();
        QCoreApplication::processEvents(); // the prefetch of the next page, as idle time would
        ++result.frames;
    }
    result.seconds = seconds(start);
    result.pages = end / pitch;
    return result;
}

// The baseline: the same pages rendered to images of the same width, nothing else.
double renderStraight(const report::PageDocument& pages, int count, int widthPx)
{
    const auto start = Clock::now();
    for (int i = 0; i < count && i < pages.count(); ++i) {
        const report::Page page = pages.page(i);
        const double dpi = widthPx * 1440.0 / page.paperWidth;
        const QImage image = report::renderPageImage(page, pages.images(), dpi);
        if (image.isNull())
            std::puts("render failed");
    }
    return seconds(start);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir registry;
    qputenv("QUORVEX_REGISTRY", registry.filePath(u"registry.db"_s).toLocal8Bit());
    qputenv("QV_REPORT_TESTDATA", QV_REPORT_TESTDATA);
    QApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;

    std::printf("viewer_bench: a %d-row wine list in the report viewer\n", rows);
    auto made = Clock::now();
    const report::testing::ReportTestDatabase cellar(report::testing::previewCellar(rows));
    std::printf("  test cellar made in %.1f s\n", seconds(made));

    jet::Connection main;
    main.open(cellar.connectionString());
    host::HostCommonTools tools(main, main, QDir::tempPath() + u"/"_s,
                                [] { return host::Selection{}; });
    host::HostLanguageHelper language{host::LanguageTexts()};
    QObject regObject;
    report::testing::PreviewTestReport list(cellar);

    lumesk::clsReportViewer viewer;
    shell::ScriptedUser user;
    std::unique_ptr<FirstPaint> firstPaint;
    ScrollResult scrolled;
    double baseline = 0;
    int pages = 0;
    const auto start = Clock::now();
    user.expectModal(u"frmReportViewer"_s, [&](QWidget& shown) {
        auto& window = static_cast<lumesk::frmReportViewer&>(shown);
        report::PagesView& view = window.ARViewer().pagesView();
        pages = window.ARViewer().pageCount();
        scrolled = scrollThrough(view, kScrolledPages);
        baseline =
            renderStraight(list.pages(), scrolled.pages + 1, view.layout().pageRect(0).width());
        window.close();
    });
    // The filter must be in place before page 1 is painted: install it when the window exists.
    QTimer::singleShot(0, &app, [&] {
        if (viewer.window() != nullptr && !firstPaint)
            firstPaint =
                std::make_unique<FirstPaint>(viewer.window()->ARViewer().pagesView(), start);
    });
    const reports::CallResult result =
        viewer.PreviewReport(nullptr, list, language, tools, regObject, u"rptBench"_s);
    const double total = seconds(start);
    if (result.failed()) {
        std::printf("PreviewReport failed: %s\n", qPrintable(result.description));
        return 1;
    }

    const double first = firstPaint ? firstPaint->seconds() : 0;
    std::printf("  pages                        %d\n", pages);
    std::printf("  PreviewReport to first page  %.3f s  (target < 0.5 s) %s\n", first,
                first > 0 && first < 0.5 ? "ok" : "MISSED");
    std::printf("  whole preview session        %.2f s (generation, scrolling, closing)\n", total);
    const double fps = scrolled.frames / scrolled.seconds;
    const double pagesPerSecond = scrolled.pages / scrolled.seconds;
    std::printf("  scrolling %d pages           %d frames in %.2f s: %.0f frames/s, %.1f pages/s\n",
                scrolled.pages, scrolled.frames, scrolled.seconds, fps, pagesPerSecond);
    std::printf("  raw render of those pages    %.2f s: %.1f pages/s; viewer/raw time ratio %.2f\n",
                baseline, (scrolled.pages + 1) / baseline, scrolled.seconds / baseline);
    return 0;
}
