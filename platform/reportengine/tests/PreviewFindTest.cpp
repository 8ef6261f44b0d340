// Finding text across generated pages: reading order, wrapping round, backwards, case and whole
// words, resolved page fields; and the hit's box lying where the renderer draws its characters.
#include "platform/reportengine/preview/TextFinder.h"
#include "platform/reportengine/render/PageRenderer.h"
#include "platform/reportengine/tests/SamplePages.h"
#include "platform/reportengine/tests/WineListPages.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace report::testing;

namespace report {
namespace {

// Where a hit is, as "page:line text".
QString where(const PageDocument& pages, const std::optional<FindHit>& hit)
{
    if (!hit)
        return u"none"_s;
    const Page page = pages.page(hit->page);
    const auto& item = std::get<TextItem>(page.items[hit->item]);
    return u"%1:%2"_s.arg(hit->page + 1).arg(item.lines[hit->line]);
}

TEST(PreviewFindTest, HitsFollowInReadingOrderAcrossPagesAndWrapRound)
{
    PageDocument pages;
    fillWineList(pages, 3); // "Barolo Riserva" is every sixth row: rows 6, 12, ... 36
    QStringList found;
    FindHit from;
    for (int i = 0; i < 7; ++i) {
        const std::optional<FindHit> hit = findText(pages, u"barolo"_s, from);
        ASSERT_TRUE(hit);
        found << where(pages, hit);
        from = *hit;
    }
    EXPECT_EQ(found, (QStringList{u"1:Barolo Riserva 6"_s, u"1:Barolo Riserva 12"_s,
                                  u"2:Barolo Riserva 18"_s, u"2:Barolo Riserva 24"_s,
                                  u"3:Barolo Riserva 30"_s, u"3:Barolo Riserva 36"_s,
                                  u"1:Barolo Riserva 6"_s}));

    // Backwards from the first hit: round the start to the last page.
    FindOptions backwards;
    backwards.backwards = true;
    const std::optional<FindHit> hit = findText(pages, u"barolo"_s, from, backwards);
    EXPECT_EQ(where(pages, hit), u"3:Barolo Riserva 36"_s);

    // A new search starts on the page it is given: forwards at its top, backwards at its end.
    EXPECT_EQ(where(pages, findText(pages, u"Barolo"_s, FindHit{1})), u"2:Barolo Riserva 18"_s);
    EXPECT_EQ(where(pages, findText(pages, u"Barolo"_s, FindHit{1}, backwards)),
              u"2:Barolo Riserva 24"_s);
}

TEST(PreviewFindTest, CaseWholeWordsAndSeveralHitsOnOneLine)
{
    PageDocument pages;
    Page page = blankPage();
    page.items.push_back(textItem({720, 720, 6000, 600}, {u"Grand Cru, cru classé"_s}));
    page.items.push_back(textItem({720, 1440, 6000, 600}, {u"Crusted Port"_s}));
    pages.append(page);
    pages.setState(GenerationState::Finished);

    FindOptions wholeWords;
    wholeWords.wholeWord = true;
    std::optional<FindHit> first = findText(pages, u"cru"_s, {}, wholeWords);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->start, 6);
    std::optional<FindHit> second = findText(pages, u"cru"_s, *first, wholeWords);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->start, 11);
    EXPECT_EQ(findText(pages, u"cru"_s, *second, wholeWords), first); // "Crusted" is no word

    FindOptions matchCase;
    matchCase.caseSensitivity = Qt::CaseSensitive;
    const std::optional<FindHit> upper = findText(pages, u"Cru"_s, *first, matchCase);
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->item, 1); // past "cru classé" to "Crusted"
    EXPECT_EQ(findText(pages, u"CRU"_s, {}, matchCase), std::nullopt);
    EXPECT_EQ(findText(pages, u"Sauternes"_s, {}), std::nullopt);
    EXPECT_EQ(findText(pages, QString(), {}), std::nullopt);
    EXPECT_EQ(findText(PageDocument(), u"cru"_s, {}), std::nullopt);
}

TEST(PreviewFindTest, PageFieldsAreFoundAsTheyRead)
{
    PageDocument pages;
    fillWineList(pages, 3);
    // The footer's page count shows "3", not the text it held before it was resolved.
    EXPECT_EQ(findText(pages, u"?"_s, {}), std::nullopt);
    FindOptions wholeWords;
    wholeWords.wholeWord = true;
    bool countFound = false;
    FindHit from;
    for (int i = 0; i < 20 && !countFound; ++i) {
        const std::optional<FindHit> three = findText(pages, u"3"_s, from, wholeWords);
        ASSERT_TRUE(three);
        const Page page = pages.page(three->page);
        countFound = std::get<TextItem>(page.items[three->item]).field == PageField::PageCount;
        from = *three;
    }
    EXPECT_TRUE(countFound);
}

// The bounding box of the dark pixels of `image` inside `area`.
QRect inkIn(const QImage& image, const QRect& area)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST(PreviewFindTest, TheHitBoxHoldsTheInkOfItsCharacters)
{
    constexpr double kDpi = 144;
    constexpr double kScale = kDpi / 1440;
    struct Case
    {
        HAlign align;
        VAlign valign;
        QStringList lines;
        QString find;
    };
    const QList<Case> cases{
        {HAlign::Left, VAlign::Top, {u"Price 1,234.50 incl."_s}, u"1,234.50"_s},
        {HAlign::Right, VAlign::Top, {u"first line"_s, u"Total 987.25"_s}, u"987.25"_s},
        {HAlign::Center, VAlign::Middle, {u"Château Palmer 2015"_s}, u"Palmer"_s},
        {HAlign::Right, VAlign::Bottom, {u"Wine"_s, u"Grüner Veltliner"_s}, u"Veltliner"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.find.toStdString());
        PageDocument pages;
        Page page = blankPage();
        TextItem item = textItem({1440, 1440, 7200, 1200}, c.lines, c.align);
        item.valign = c.valign;
        item.lineHeight = 300;
        item.font.pointSize = 14;
        page.items.push_back(item);
        pages.append(page);
        pages.setState(GenerationState::Finished);

        const std::optional<FindHit> hit = findText(pages, c.find, {});
        ASSERT_TRUE(hit);
        const QRectF box = hitRect(pages.page(0), *hit);
        const QImage image = renderPageImage(pages.page(0), pages.images(), kDpi);
        const QRect onImage(qRound(box.left() * kScale), qRound(box.top() * kScale),
                            qRound(box.width() * kScale), qRound(box.height() * kScale));
        const QRect ink = inkIn(image, onImage.adjusted(-6, 0, 6, 0));
        ASSERT_FALSE(ink.isEmpty());
        // The characters' ink starts and ends within a pixel or two of the box's sides.
        EXPECT_NEAR(ink.left(), onImage.left(), 3);
        EXPECT_NEAR(ink.right(), onImage.right(), 3);
        EXPECT_TRUE(onImage.contains(ink.adjusted(2, 0, -2, 0)));
    }
}

} // namespace
} // namespace report
