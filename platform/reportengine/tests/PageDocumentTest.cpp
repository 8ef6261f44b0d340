// Tests of the page document: the disk cache, page fields, states, the image store and dump().

#include "platform/reportengine/page/PageDocument.h"

#include "platform/reportengine/tests/SamplePages.h"
#include "platform/vb/Error.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <random>

using namespace Qt::StringLiterals;
using namespace report;
using namespace report::testing;

namespace {

// A page of every item kind with values that vary from page to page, so a field written or
// read in the wrong place by the cache shows up as a difference.
Page variedPage(int number, std::mt19937& random, std::uint32_t imageId)
{
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    Page page = blankPage(number % 2 ? kA4Height : kA4Width, number % 2 ? kA4Width : kA4Height);
    const int lines = pick(0, 40);
    for (int i = 0; i < lines; ++i) {
        TextItem text = textItem({pick(0, 9000), pick(0, 15000), pick(1, 3000), pick(1, 800)},
                                 {u"Row %1.%2"_s.arg(number).arg(i), u"Château ünïcode €"_s});
        text.font = {i % 3 ? u"Arial"_s : u"Arial Black"_s,
                     8.0 + i % 5 * 0.5,
                     i % 2 == 0,
                     i % 3 == 0,
                     i % 5 == 0,
                     i % 7 == 0};
        text.color = 0xff000000u | std::uint32_t(pick(0, 0xffffff));
        if (i % 4 == 0)
            text.backColor = 0xffffffffu;
        text.align = static_cast<HAlign>(i % 4);
        text.valign = static_cast<VAlign>(i % 3);
        text.lineHeight = pick(200, 400);
        text.name = u"txt%1"_s.arg(i);
        page.items.push_back(text);
    }
    page.items.push_back(LineItem{pick(0, 99), pick(0, 99), pick(100, 9999), pick(100, 9999),
                                  pick(0, 60), 0xff102030u, std::uint8_t(pick(1, 5))});
    page.items.push_back(ShapeItem{{1, 2, 3, 4},
                                   static_cast<ShapeKind>(number % 3),
                                   number % 2 ? std::optional<QRgb>(0xff00ff00u) : std::nullopt,
                                   number % 3 ? std::optional<QRgb>(0xff0000ffu) : std::nullopt,
                                   pick(0, 60),
                                   std::uint8_t(pick(1, 5))});
    page.items.push_back(ImageItem{{10, 20, 30, 40}, imageId, static_cast<SizeMode>(number % 3)});
    TextItem pageNumber = textItem({0, 0, 500, 276}, {u"?"_s}, HAlign::Right);
    pageNumber.field = PageField::PageNumber;
    page.items.push_back(pageNumber);
    if (number % 10 == 0)
        page.toc.push_back({number % 3, u"Group %1"_s.arg(number), pick(0, 15000)});
    return page;
}

// What page() gives back for a page appended as `page`.
Page resolved(Page page, int number, int count)
{
    for (DisplayItem& item : page.items) {
        auto* text = std::get_if<TextItem>(&item);
        if (text && text->field == PageField::PageNumber)
            text->lines = {QString::number(number)};
        if (text && text->field == PageField::PageCount)
            text->lines = {QString::number(count)};
    }
    return page;
}

// The files of this process open in `folder`. The cache file may have no name in the folder
// (Linux makes temporary files unnamed), so the open descriptors are what tell.
int openFilesIn(const QString& folder)
{
    int count = 0;
    const QDir descriptors(u"/proc/self/fd"_s);
    for (const QFileInfo& entry : descriptors.entryInfoList(QDir::Files | QDir::System))
        if (entry.symLinkTarget().startsWith(folder + u'/'))
            ++count;
    return count;
}

// Points the temporary folder of this process at a folder of the test's own.
class PrivateTempFolder
{
public:
    PrivateTempFolder() : m_wasSet(qEnvironmentVariableIsSet("TMPDIR")), m_saved(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", m_dir.path().toUtf8());
    }
    // Put back as it was: an empty TMPDIR is not an unset one (programs started later, such as
    // the office suite, cannot make temporary files with it).
    ~PrivateTempFolder()
    {
        if (m_wasSet)
            qputenv("TMPDIR", m_saved);
        else
            qunsetenv("TMPDIR");
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    bool m_wasSet;
    QByteArray m_saved;
};

} // namespace

TEST(PageDocument, keepsThousandsOfPagesThroughItsDiskCacheAndReadsThemBackInAnyOrder)
{
    const PrivateTempFolder temp;
    std::mt19937 random(20240611);
    auto document = std::make_unique<PageDocument>();
    const std::uint32_t background = document->images().add(solidImage(64, 64, Qt::darkGreen));
    std::vector<Page> appended;
    constexpr int kPages = 650;
    for (int i = 0; i < kPages; ++i) {
        appended.push_back(variedPage(i + 1, random, background));
        // The generator adds the picture again on every page; it is kept once.
        ASSERT_EQ(document->images().add(solidImage(64, 64, Qt::darkGreen)), background);
        document->append(appended.back());
    }
    ASSERT_EQ(document->count(), kPages);
    EXPECT_EQ(document->images().count(), 1);
    EXPECT_EQ(openFilesIn(temp.path()), 1);

    std::vector<int> order(kPages);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);
    for (int index : order)
        ASSERT_EQ(document->page(index), resolved(appended[index], index + 1, kPages))
            << "page " << index + 1;
    // Twice the same page from the disk, as a preview repaints it.
    EXPECT_EQ(document->page(3), document->page(3));

    document.reset();
    EXPECT_EQ(openFilesIn(temp.path()), 0);
}

TEST(PageDocument, fewPagesNeedNoDiskCacheAndClearForgetsEverything)
{
    const PrivateTempFolder temp;
    PageDocument document;
    document.images().add(solidImage(4, 4, Qt::red));
    for (int i = 0; i < PageDocument::kPagesInMemory; ++i)
        document.append(blankPage());
    EXPECT_EQ(openFilesIn(temp.path()), 0);

    document.append(blankPage());
    document.setState(GenerationState::Finished);
    EXPECT_EQ(openFilesIn(temp.path()), 1);
    document.clear();
    EXPECT_EQ(document.count(), 0);
    EXPECT_EQ(document.images().count(), 0);
    EXPECT_EQ(document.state(), GenerationState::Empty);
    EXPECT_EQ(openFilesIn(temp.path()), 0);
}

TEST(PageDocument, resolvesPageNumbersAndCountsSoFarWhileRunningAndFinalAfter)
{
    PageDocument document;
    document.setState(GenerationState::Running);
    auto fieldPage = [] {
        Page page = blankPage();
        TextItem number = textItem({0, 0, 600, 276}, {u"0"_s});
        number.field = PageField::PageNumber;
        TextItem count = textItem({600, 0, 600, 276}, {u"0"_s});
        count.field = PageField::PageCount;
        TextItem plain = textItem({1200, 0, 600, 276}, {u"Page"_s});
        page.items = {plain, number, count};
        return page;
    };
    auto texts = [&document](int index) {
        QStringList result;
        for (const DisplayItem& item : document.page(index).items)
            result << std::get<TextItem>(item).text();
        return result.join(u' ');
    };
    document.append(fieldPage());
    document.append(fieldPage());
    EXPECT_EQ(texts(0), u"Page 1 2"_s);
    for (int i = 0; i < 2 * PageDocument::kPagesInMemory; ++i)
        document.append(fieldPage());
    document.setState(GenerationState::Finished);
    EXPECT_EQ(texts(0), u"Page 1 402"_s); // read back from the disk cache
    EXPECT_EQ(texts(401), u"Page 402 402"_s);
}

TEST(PageDocument, refusesPagesOutOfRangeWithSubscriptOutOfRange)
{
    PageDocument document;
    document.append(blankPage());
    for (int index : {-1, 1, 1000}) {
        try {
            document.page(index);
            ADD_FAILURE() << "page " << index << " was given";
        } catch (const vb::Error& error) {
            EXPECT_EQ(error.number(), vb::ErrorNumber::SubscriptOutOfRange);
        }
    }
}

TEST(PageDocument, keepsTheErrorOfAFailedRunUntilItRunsAgain)
{
    PageDocument document;
    EXPECT_EQ(document.state(), GenerationState::Empty);
    document.setState(GenerationState::Running);
    document.append(blankPage());
    document.setFailed(3021, u"No current record."_s, u"rptWineList"_s);
    EXPECT_EQ(document.state(), GenerationState::Failed);
    EXPECT_EQ(document.errorNumber(), 3021);
    EXPECT_EQ(document.errorDescription(), u"No current record."_s);
    EXPECT_EQ(document.errorSource(), u"rptWineList"_s);
    EXPECT_EQ(document.count(), 1); // the pages so far stay viewable

    document.setState(GenerationState::Running);
    EXPECT_EQ(document.errorNumber(), 0);
    EXPECT_TRUE(document.errorDescription().isEmpty());
}

TEST(ImageStore, keepsAPictureOnceWhateverItsPixelFormat)
{
    ImageStore store;
    const QImage rgb = solidImage(20, 10, QColor(0x12, 0x34, 0x56));
    const std::uint32_t id = store.add(rgb);
    EXPECT_EQ(id, 1u);
    EXPECT_EQ(store.add(rgb.convertToFormat(QImage::Format_ARGB32)), id);
    EXPECT_EQ(store.add(rgb.convertToFormat(QImage::Format_Indexed8)), id);
    EXPECT_EQ(store.add(solidImage(20, 10, QColor(0x12, 0x34, 0x56))), id);

    QImage changed = rgb.copy();
    changed.setPixel(19, 9, qRgb(0x12, 0x34, 0x57));
    EXPECT_EQ(store.add(changed), 2u);
    EXPECT_EQ(store.add(solidImage(10, 20, QColor(0x12, 0x34, 0x56))), 3u);
    QImage otherResolution = rgb.copy();
    otherResolution.setDotsPerMeterX(11811); // 300 dpi: smaller on paper
    EXPECT_EQ(store.add(otherResolution), 4u);
    EXPECT_EQ(store.count(), 4);
    EXPECT_EQ(store.image(2), changed);

    // A picture the caller paints over after adding it is another picture.
    QImage reused = solidImage(5, 5, Qt::white);
    const std::uint32_t white = store.add(reused);
    reused.fill(Qt::black);
    EXPECT_NE(store.add(reused), white);
    EXPECT_EQ(store.image(white).pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(store.count(), 6);

    EXPECT_EQ(store.add(QImage()), 0u);
    EXPECT_TRUE(store.image(0).isNull());
    EXPECT_TRUE(store.image(7).isNull());
    store.clear();
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(store.add(changed), 1u);
}

TEST(PageDocument, dumpsEveryPageOneItemPerLine)
{
    PageDocument document;
    const std::uint32_t picture = document.images().add(solidImage(8, 8, Qt::blue));
    Page first = blankPage();
    TextItem title = textItem({720, 360, 4000, 552}, {u"Wines"_s, u"of France"_s});
    title.name = u"lblTitle"_s;
    first.items.push_back(title);
    first.items.push_back(LineItem{720, 1000, 11520, 1000, 15, 0xff000000u, 1});
    first.items.push_back(filledBox({720, 1200, 2000, 300}, 0xffd8e4f0u));
    first.items.push_back(
        ShapeItem{{720, 1600, 2000, 300}, ShapeKind::Rectangle, std::nullopt, 0xff000000u, 15, 1});
    first.items.push_back(ImageItem{{3000, 1200, 1440, 1440}, picture, SizeMode::Zoom});
    first.toc.push_back({1, u"Bordeaux"_s, 1200});
    document.append(first);
    Page second = blankPage(kLetterHeight, kLetterWidth);
    TextItem count = textItem({0, 0, 600, 276}, {u"?"_s});
    count.field = PageField::PageCount;
    second.items.push_back(count);
    document.append(second);

    EXPECT_EQ(document.dump(), u"page 1 of 2 (12240 x 15840)\n"
                               "  text  lblTitle  720,360 4000x552  \"Wines|of France\"\n"
                               "  line 720,1000 11520,1000\n"
                               "  shape 720,1200 2000x300 #d8e4f0\n"
                               "  shape 720,1600 2000x300 none\n"
                               "  image 3000,1200 1440x1440 #1 zoom\n"
                               "  toc 1 \"Bordeaux\" 1200\n"
                               "page 2 of 2 (15840 x 12240)\n"
                               "  text    0,0 600x276  \"2\"\n"_s);
}
