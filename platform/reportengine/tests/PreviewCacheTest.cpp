// The preview's cache of rendered pages: pixels as the renderer makes them, one render per page
// and width, the budget evicting the least recently used pages, and pages showing the page
// count rendered anew after the count changed.
#include "platform/reportengine/preview/RenderCache.h"
#include "platform/reportengine/render/PageRenderer.h"
#include "platform/reportengine/tests/SamplePages.h"
#include "platform/reportengine/tests/WineListPages.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace report::testing;

namespace report {
namespace {

constexpr int kWidth = 408; // half of Letter at 96 dpi: 48 dpi

TEST(PreviewCacheTest, PagesAreRenderedOncePerWidthAsTheRendererPaintsThem)
{
    PageDocument pages;
    fillWineList(pages, 3);
    RenderCache cache;
    const RenderCache::Rendered first = cache.page(pages, 1, kWidth);
    EXPECT_EQ(first.paper, QSize(kLetterWidth, kLetterHeight));
    EXPECT_EQ(first.image.size(), QSize(kWidth, 528));
    EXPECT_EQ(first.image, renderPageImage(pages.page(1), pages.images(), 48));

    cache.page(pages, 1, kWidth);
    EXPECT_EQ(cache.renders(), 1);
    EXPECT_TRUE(cache.holds(1, kWidth));
    EXPECT_FALSE(cache.holds(1, kWidth * 2));

    const RenderCache::Rendered wider = cache.page(pages, 1, kWidth * 2);
    EXPECT_EQ(wider.image.width(), kWidth * 2);
    EXPECT_EQ(cache.renders(), 2);
    EXPECT_EQ(cache.size(), 1); // the old width is gone
    EXPECT_EQ(cache.bytes(), wider.image.sizeInBytes());
}

TEST(PreviewCacheTest, TheBudgetEvictsTheLeastRecentlyUsedPage)
{
    PageDocument pages;
    fillWineList(pages, 4);
    const qint64 pageBytes = RenderCache().page(pages, 0, kWidth).image.sizeInBytes();
    RenderCache cache(pageBytes * 2);
    cache.page(pages, 0, kWidth);
    cache.page(pages, 1, kWidth);
    cache.page(pages, 0, kWidth); // page 0 used last: page 1 goes first
    cache.page(pages, 2, kWidth);
    EXPECT_TRUE(cache.holds(0, kWidth));
    EXPECT_FALSE(cache.holds(1, kWidth));
    EXPECT_TRUE(cache.holds(2, kWidth));
    EXPECT_LE(cache.bytes(), pageBytes * 2);

    // A page larger than the whole budget is still kept: it is about to be painted.
    RenderCache tiny(16);
    EXPECT_FALSE(tiny.page(pages, 3, kWidth).image.isNull());
    EXPECT_TRUE(tiny.holds(3, kWidth));
}

TEST(PreviewCacheTest, PagesShowingThePageCountAreDroppedWhenItChanges)
{
    PageDocument pages;
    pages.setState(GenerationState::Running);
    Page withCount = blankPage();
    TextItem count = textItem({720, 720, 3000, 600}, {u"?"_s});
    count.font.pointSize = 28;
    count.field = PageField::PageCount;
    withCount.items.push_back(count);
    pages.append(withCount);
    Page plain = blankPage();
    plain.items.push_back(filledBox({720, 720, 3000, 600}, 0xff336699u));
    pages.append(plain);

    RenderCache cache;
    const QImage showingTwo = cache.page(pages, 0, kWidth).image;
    cache.page(pages, 1, kWidth);
    pages.append(blankPage()); // the count is 3 now
    cache.dropCountDependent();
    EXPECT_FALSE(cache.holds(0, kWidth));
    EXPECT_TRUE(cache.holds(1, kWidth));
    const QImage showingThree = cache.page(pages, 0, kWidth).image;
    EXPECT_NE(showingThree, showingTwo);
    EXPECT_EQ(showingThree, renderPageImage(pages.page(0), pages.images(), 48));
}

} // namespace
} // namespace report
