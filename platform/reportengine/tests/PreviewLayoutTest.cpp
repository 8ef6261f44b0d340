// The preview's geometry: pages in a column or one at a time, which pages a window shows, and
// the zoom's scales, steps and texts.
#include "platform/reportengine/preview/PageLayout.h"
#include "platform/reportengine/preview/Zoom.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace report {
namespace {

constexpr double kRealSize = 96.0 / 1440.0; // pixels per twip at 100 % on a 96 dpi screen
const QSize kLetter(12240, 15840);
const QSize kLandscape(15840, 12240);

PageLayout letterPages(int count, int viewportWidth = 1000)
{
    PageLayout layout;
    layout.setViewportWidth(viewportWidth);
    layout.setPageCount(count);
    layout.setPaperSize(0, kLetter);
    layout.setScale(kRealSize);
    return layout;
}

TEST(PreviewLayoutTest, ContinuousPagesStackWithGapsAndAreCentred)
{
    const PageLayout layout = letterPages(3);
    // Letter at 96 dpi: 816 x 1056 pixels.
    EXPECT_EQ(layout.pageRect(0), QRect((1000 - 816) / 2, PageLayout::kMargin, 816, 1056));
    EXPECT_EQ(layout.pageRect(1).top(), PageLayout::kMargin + 1056 + PageLayout::kGap);
    EXPECT_EQ(layout.pageRect(2).top(), PageLayout::kMargin + 2 * (1056 + PageLayout::kGap));
    EXPECT_EQ(layout.contentSize(),
              QSize(1000, 2 * PageLayout::kMargin + 3 * 1056 + 2 * PageLayout::kGap));

    // A window narrower than the page scrolls sideways: the content is the page and margins.
    const PageLayout narrow = letterPages(1, 300);
    EXPECT_EQ(narrow.contentSize().width(), 816 + 2 * PageLayout::kMargin);
    EXPECT_EQ(narrow.pageRect(0).left(), PageLayout::kMargin);
}

TEST(PreviewLayoutTest, PagesInAWindowAndThePageAtAHeight)
{
    const PageLayout layout = letterPages(5);
    const int pitch = 1056 + PageLayout::kGap;
    EXPECT_EQ(layout.pagesIn(QRect(0, 0, 1000, 500)), std::make_pair(0, 0));
    // Ending inside the gap after page 1: page 2 is not in view.
    EXPECT_EQ(layout.pagesIn(QRect(0, 100, 1000, pitch - 95)), std::make_pair(0, 0));
    EXPECT_EQ(layout.pagesIn(QRect(0, 1000, 1000, 200)), std::make_pair(0, 1));
    // Starting in a gap: the page above is out of view.
    EXPECT_EQ(layout.pagesIn(QRect(0, PageLayout::kMargin + 1060, 1000, pitch)),
              std::make_pair(1, 1));
    EXPECT_EQ(layout.pagesIn(QRect(0, 0, 1000, 100000)), std::make_pair(0, 4));

    EXPECT_EQ(layout.pageAt(0), 0);
    EXPECT_EQ(layout.pageAt(PageLayout::kMargin + pitch), 1);
    EXPECT_EQ(layout.pageAt(PageLayout::kMargin + pitch - 1), 0); // in the gap: the page above
    EXPECT_EQ(layout.pageAt(1000000), 4);
    EXPECT_EQ(PageLayout().pageAt(10), -1);
}

TEST(PreviewLayoutTest, SinglePageModeShowsOnlyTheCurrentPage)
{
    PageLayout layout = letterPages(4);
    layout.setMode(PageViewMode::SinglePage);
    layout.setSinglePage(2);
    EXPECT_TRUE(layout.pageRect(0).isEmpty());
    EXPECT_EQ(layout.pageRect(2).top(), PageLayout::kMargin);
    EXPECT_EQ(layout.contentSize().height(), 1056 + 2 * PageLayout::kMargin);
    EXPECT_EQ(layout.pagesIn(QRect(0, 0, 1000, 5000)), std::make_pair(2, 2));
    EXPECT_EQ(layout.pageAt(5), 2);

    layout.setSinglePage(99); // past the end: the last page
    EXPECT_EQ(layout.singlePage(), 3);
    layout.setPageCount(2); // pages dropped (a new run): back within range
    EXPECT_EQ(layout.singlePage(), 1);
}

TEST(PreviewLayoutTest, UnknownPaperIsTheFirstPagesUntilLearnt)
{
    PageLayout layout = letterPages(3);
    EXPECT_EQ(layout.paperSize(2), kLetter);
    const int thirdTop = layout.pageRect(2).top();
    EXPECT_TRUE(layout.setPaperSize(1, kLandscape));
    EXPECT_FALSE(layout.setPaperSize(1, kLandscape)); // known already
    EXPECT_EQ(layout.pageRect(1).size(), QSize(1056, 816));
    EXPECT_EQ(layout.pageRect(2).top(), thirdTop - (1056 - 816));
    EXPECT_EQ(layout.largestPaper(), QSize(15840, 15840));
    // Wider than the window: content widens, every page centred in it.
    EXPECT_EQ(layout.contentSize().width(), 1056 + 2 * PageLayout::kMargin);
}

TEST(PreviewLayoutTest, ZoomScalesAreRealSizeOrTheFitOfThePaper)
{
    const QSize viewport(900, 600);
    const int margin = PageLayout::kMargin;
    EXPECT_DOUBLE_EQ(pixelsPerTwip(Zoom::percentOf(150), 96, kLetter, viewport, margin),
                     kRealSize * 1.5);
    EXPECT_DOUBLE_EQ(pixelsPerTwip(Zoom::fitWidth(), 96, kLetter, viewport, margin),
                     (900.0 - 2 * margin) / 12240);
    // Fit page: the height limits a portrait page in a wide window, the width a landscape one.
    EXPECT_DOUBLE_EQ(pixelsPerTwip(Zoom::fitPage(), 96, kLetter, viewport, margin),
                     (600.0 - 2 * margin) / 15840);
    EXPECT_DOUBLE_EQ(pixelsPerTwip(Zoom::fitPage(), 96, kLandscape, QSize(600, 900), margin),
                     (600.0 - 2 * margin) / 15840);
    // A fit never goes beyond the zoom's range (a tiny window).
    EXPECT_DOUBLE_EQ(pixelsPerTwip(Zoom::fitWidth(), 96, kLetter, QSize(30, 30), margin),
                     kRealSize * kMinZoomPercent / 100);
    EXPECT_NEAR(percentOfScale(kRealSize * 2.5, 96), 250.0, 1e-9);
}

TEST(PreviewLayoutTest, ZoomStepsTextsAndTypedZooms)
{
    EXPECT_EQ(nextZoomStep(100, 1), 125);
    EXPECT_EQ(nextZoomStep(100, -1), 75);
    EXPECT_EQ(nextZoomStep(99.8, 1), 125); // a fit of almost 100 % steps past 100
    EXPECT_EQ(nextZoomStep(83, 1), 100);
    EXPECT_EQ(nextZoomStep(83, -1), 75);
    EXPECT_EQ(nextZoomStep(kMaxZoomPercent, 1), kMaxZoomPercent);
    EXPECT_EQ(nextZoomStep(kMinZoomPercent, -1), kMinZoomPercent);

    EXPECT_EQ(zoomText(Zoom::percentOf(150)), u"150%"_s);
    EXPECT_EQ(zoomText(Zoom::fitWidth()), u"Fit width"_s);
    EXPECT_EQ(Zoom::percentOf(5000).percent, kMaxZoomPercent);

    EXPECT_EQ(parseZoom(u" 150 % "_s), Zoom::percentOf(150));
    EXPECT_EQ(parseZoom(u"62,5"_s), Zoom::percentOf(62.5));
    EXPECT_EQ(parseZoom(u"fit PAGE"_s), Zoom::fitPage());
    EXPECT_EQ(parseZoom(u"abc"_s), std::nullopt);
    EXPECT_EQ(parseZoom(u"0"_s), std::nullopt);
    EXPECT_EQ(parseZoom(u""_s), std::nullopt);
}

} // namespace
} // namespace report
