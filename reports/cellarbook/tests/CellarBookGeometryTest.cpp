// The cellar book on landscape paper against portrait, both without details: the right-hand
// column and the phase icons move right by what the paper adds, the growing captions widen by
// it, and the full-width boxes and the page numbers end at the wider print width.

#include "CellarBookRuns.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parvello::testing {
namespace {

constexpr int kMargin = 1080;
constexpr int kPortraitWidth = 11906 - 2 * kMargin;
constexpr int kLandscapeWidth = 16838 - 2 * kMargin;
constexpr int kDelta = kLandscapeWidth - kPortraitWidth;

class CellarBookOnLandscape : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(portrait().result.succeeded()) << portrait().result.description.toStdString();
        ASSERT_TRUE(landscape().result.succeeded()) << landscape().result.description.toStdString();
        ASSERT_EQ(portrait().recording.pages.wines.size(),
                  landscape().recording.pages.wines.size());
    }

    static const BookRun& portrait() { return bookRun(false); }
    static const BookRun& landscape() { return bookRun(false, report::Orientation::Landscape); }
    static const WinePart& first(const BookRun& run) { return run.recording.pages.wines.front(); }
};

TEST_F(CellarBookOnLandscape, MovesTheRightHandColumnAndTheIconsByWhatThePaperAdds)
{
    const QStringList moved{
        u"lblFields"_s,    u"lblProfile"_s, u"lblLifespan"_s,  u"lblFrom"_s,     u"lblBest"_s,
        u"lblPeak"_s,      u"lblTo"_s,      u"lblVarieties"_s, u"lblVariety1"_s, u"lblVariety5"_s,
        u"txtVarieties"_s, u"lblUser"_s,    u"lblUser1"_s,     u"lblUser5"_s,    u"lblIcons"_s,
        u"lblDHI"_s,       u"txtHold"_s};
    for (const QString& name : moved) {
        const PlacedText before = first(portrait()).first(name);
        const PlacedText after = first(landscape()).first(name);
        ASSERT_FALSE(before.name.isEmpty()) << name.toStdString();
        EXPECT_EQ(after.rect.left - before.rect.left, kDelta) << name.toStdString();
        EXPECT_EQ(after.rect.width, before.rect.width) << name.toStdString();
    }
    // The left-hand column stays.
    for (const QString& name : {u"lblVintage"_s, u"lblRegion"_s, u"lblPhone"_s})
        EXPECT_EQ(first(landscape()).first(name).rect, first(portrait()).first(name).rect);

    auto iconLefts = [](const WinePart& wine) {
        QList<int> lefts;
        for (const PlacedImage& image : wine.images)
            if (image.rect.width == 330)
                lefts << image.rect.left;
        return lefts;
    };
    const QList<int> portraitIcons = iconLefts(first(portrait()));
    const QList<int> landscapeIcons = iconLefts(first(landscape()));
    ASSERT_EQ(portraitIcons.size(), 16);
    ASSERT_EQ(landscapeIcons.size(), 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(landscapeIcons[i] - portraitIcons[i], kDelta) << i;
}

TEST_F(CellarBookOnLandscape, WidensTheGrowingCaptionsAndTheFullWidthBoxes)
{
    for (const QString& name :
         {u"lblLabel"_s, u"lblCountry"_s, u"lblType"_s, u"lblFax"_s, u"lblMarketValue"_s,
          u"lblAddress"_s, u"lblEmail"_s, u"lblWebsite"_s}) {
        const PlacedText before = first(portrait()).first(name);
        const PlacedText after = first(landscape()).first(name);
        EXPECT_EQ(after.rect.width - before.rect.width, kDelta) << name.toStdString();
        EXPECT_EQ(after.rect.left, before.rect.left) << name.toStdString();
    }
    for (const QString& name : {u"lblLocationsBox"_s, u"lblWineNotesBox"_s, u"lblLocations"_s}) {
        const PlacedText box = first(landscape()).first(name);
        EXPECT_EQ(box.rect.left, kMargin) << name.toStdString();
        EXPECT_EQ(box.rect.width, kLandscapeWidth) << name.toStdString();
    }
    const BookPages& pages = landscape().recording.pages;
    EXPECT_EQ(pages.named(u"txtPageCount"_s).value(0).rect.right(), kMargin + kLandscapeWidth);
    EXPECT_EQ(pages.named(u"lblOf"_s).value(0).rect.right(),
              pages.named(u"txtPageCount"_s).value(0).rect.left);
    EXPECT_EQ(pages.named(u"lblPage"_s).value(0).rect.right(),
              pages.named(u"txtCurrentPage"_s).value(0).rect.left);
    EXPECT_EQ(pages.named(u"txtCellarFile"_s).value(0).rect.width, kLandscapeWidth);
}

} // namespace
} // namespace parvello::testing
