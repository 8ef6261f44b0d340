// The cellar book without details, run by the host through its batch viewer: one page per
// wine named in its page header, every caption translated and its value starting a narrow gap
// after the caption's text ends, and what Detail_Format makes of the wine's fields (varieties,
// locations, website, label picture).

#include "CellarBookRuns.h"
#include "CellarBookTestInstallation.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QFontMetricsF>

using namespace Qt::StringLiterals;

namespace parvello::testing {
namespace {

constexpr int kLeftMargin = 1080;
constexpr int kPrintWidth = 11906 - 2 * 1080;

const BookRun& plainRun()
{
    return bookRun(false);
}

TEST(CellarBookWithoutDetails, PrintsEveryWineOnItsOwnPageWithoutSubReports)
{
    const BookRun& run = plainRun();
    ASSERT_TRUE(run.result.succeeded()) << run.result.description.toStdString();
    EXPECT_EQ(run.recording.reportName, u"rptCellarBookWine"_s);
    EXPECT_GT(run.recording.progressCalls, 0);
    EXPECT_FALSE(run.recording.subReportsAttachedAfterRun);

    const BookPages& pages = run.recording.pages;
    ASSERT_EQ(pages.wines.size(), run.wineOrder.size());
    ASSERT_GE(run.wineOrder.size(), 40);
    // Each wine starts a page, and that page's header names its winery.
    for (qsizetype w = 0; w < pages.wines.size(); ++w) {
        const int page = pages.wines[w].first(u"lblVintage"_s).page;
        QStringList headers;
        for (const PlacedText& title : pages.named(u"txtWine"_s))
            if (title.page == page)
                headers << title.text;
        EXPECT_EQ(headers, QStringList{run.wineryOf.value(run.wineOrder[w])}) << w;
    }
    // Details off: the containers stay empty.
    for (const QString& cell :
         {u"NoteDate"_s, u"NoteText"_s, u"TxDate"_s, u"Note"_s, u"lblScore"_s, u"lblQty"_s})
        EXPECT_TRUE(pages.named(cell).isEmpty()) << cell.toStdString();
}

TEST(CellarBookWithoutDetails, EveryCaptionIsTranslated)
{
    const BookPages& pages = plainRun().recording.pages;
    for (const PlacedText& text : pages.texts)
        EXPECT_FALSE(text.text.contains(u"d_"_s))
            << text.name.toStdString() << ": " << text.text.toStdString();
    const WinePart& wine = pages.wines.front();
    const QHash<QString, QString> expected{
        {u"lblVintage"_s, u"Vintage:"_s},       {u"lblMarketValue"_s, u"Value:"_s},
        {u"lblLocations"_s, u"Location(s):"_s}, {u"lblWineNotes"_s, u"WineNote:"_s},
        {u"lblUser3"_s, u"User 3:"_s},          {u"lblIcons"_s, u"Drinking window"_s},
        {u"lblFields"_s, u"Details"_s},         {u"lblDHI"_s, u"DHI:"_s},
        {u"lblLifespan"_s, u"LifeSpan:"_s},     {u"lblVarieties"_s, u"Varieties:"_s}};
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(wine.first(it.key()).text, it.value()) << it.key().toStdString();
    EXPECT_EQ(pages.named(u"lblPage"_s).value(0).text, u"Page"_s);
    EXPECT_EQ(pages.named(u"lblOf"_s).value(0).text, u"of"_s);
}

TEST(CellarBookWithoutDetails, ValuesStartWhereTheirCaptionsEnd)
{
    const QList<std::pair<QString, QString>> pairs{{u"lblAppellation"_s, u"txtAppellation"_s},
                                                   {u"lblCountry"_s, u"txtCountry"_s},
                                                   {u"lblVintage"_s, u"txtVintage"_s},
                                                   {u"lblRegion"_s, u"txtRegion"_s},
                                                   {u"lblBottleSize"_s, u"txtBottleSize"_s},
                                                   {u"lblType"_s, u"txtType"_s},
                                                   {u"lblMarketValue"_s, u"txtValue"_s},
                                                   {u"lblLabel"_s, u"txtLabel"_s},
                                                   {u"lblProfile"_s, u"txtProfile"_s},
                                                   {u"lblLocations"_s, u"txtLocations"_s},
                                                   {u"lblLifespan"_s, u"txtLifeSpan"_s},
                                                   {u"lblFrom"_s, u"txtFrom"_s},
                                                   {u"lblTo"_s, u"txtTo"_s},
                                                   {u"lblWebsite"_s, u"txtWebsite"_s}};
    int checked = 0;
    for (const WinePart& wine : plainRun().recording.pages.wines) {
        for (const auto& [labelName, boxName] : pairs) {
            const PlacedText label = wine.first(labelName);
            const PlacedText value = wine.first(boxName);
            if (value.text.isEmpty())
                continue;
            // The caption's measured width and a narrow gap (60 twips).
            const double caption =
                QFontMetricsF(label.font.toTwipFont()).horizontalAdvance(label.text) + 60;
            EXPECT_NEAR(value.rect.left - label.rect.left, caption, 2.0)
                << boxName.toStdString() << " " << value.text.toStdString();
            EXPECT_EQ(value.rect.right(), label.rect.right()) << boxName.toStdString();
            EXPECT_EQ(value.rect.top, label.rect.top) << boxName.toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 200);
}

TEST(CellarBookWithoutDetails, ShowsFiveVarietyLinesAtMost)
{
    const CellarBookWines& wines = installation().wines;
    const WinePart wine = winePart(plainRun(), wines.manyVarieties);
    const QStringList boxes{u"txtVarieties"_s, u"txtVarieties2"_s, u"txtVarieties3"_s,
                            u"txtVarieties4"_s, u"txtVarieties5"_s};
    for (int i = 0; i < boxes.size(); ++i)
        EXPECT_EQ(wine.first(boxes[i]).text, wines.varieties[i]) << i;
    for (const PlacedText& text : wine.texts)
        EXPECT_FALSE(text.text.contains(wines.varieties[5]) ||
                     text.text.contains(wines.varieties[6]))
            << text.name.toStdString();
}

TEST(CellarBookWithoutDetails, JoinsLocationLinesAndTheirBoxFollowsTheText)
{
    const BookRun& run = plainRun();
    const WinePart wine = winePart(run, installation().wines.threeLocations);
    EXPECT_EQ(wine.first(u"txtLocations"_s).text,
              u"Rack A, Bin 3 (2), Rack B, Bin 7 (1), Cellar floor (4)"_s);
    // The shaded boxes are as tall as the grown texts in front of them, and span the print
    // width.
    int grown = 0;
    for (const WinePart& part : run.recording.pages.wines) {
        for (const auto& [box, text] : {std::pair{u"lblLocationsBox"_s, u"txtLocations"_s},
                                        std::pair{u"lblWineNotesBox"_s, u"txtWineNote"_s}}) {
            const PlacedText back = part.first(box);
            const PlacedText front = part.first(text);
            EXPECT_TRUE(back.backColor.has_value());
            EXPECT_EQ(back.rect.left, kLeftMargin);
            EXPECT_EQ(back.rect.right(), kLeftMargin + kPrintWidth);
            if (front.text.isEmpty())
                continue;
            EXPECT_EQ(back.rect.top, front.rect.top) << text.toStdString();
            EXPECT_EQ(back.rect.height, front.rect.height) << text.toStdString();
            if (front.text.contains(u'\n'))
                ++grown;
        }
    }
    EXPECT_GT(grown, 0); // the long location list took more than one line
    EXPECT_TRUE(winePart(run, installation().wines.longLocations)
                    .first(u"txtLocations"_s)
                    .text.contains(u'\n'));
}

TEST(CellarBookWithoutDetails, RemovesHttpOnlyInSmallLetters)
{
    const BookRun& run = plainRun();
    const CellarBookWines& wines = installation().wines;
    EXPECT_EQ(winePart(run, wines.lowerCaseScheme).first(u"txtWebsite"_s).text,
              u"www.lowercase-winery.example/wines"_s);
    EXPECT_EQ(winePart(run, wines.upperCaseScheme).first(u"txtWebsite"_s).text,
              u"HTTP://www.UPPERCASE-WINERY.example"_s);
}

// The label picture: the one image on the wine's page wider than an icon.
QList<PlacedImage> labelImages(const WinePart& wine)
{
    QList<PlacedImage> found;
    for (const PlacedImage& image : wine.images)
        if (image.rect.width > 1000 && image.rect.width < kPrintWidth) // not the header's
            found << image;
    return found;
}

TEST(CellarBookWithoutDetails, LabelPicturesThatCannotBeShownPrintTheirPathAndWhy)
{
    const BookRun& run = plainRun();
    const CellarBookWines& wines = installation().wines;
    const WinePart missing = winePart(run, wines.missingPicture);
    // The note wraps in its box; its lines read as one text.
    auto shown = [](const WinePart& wine) {
        return wine.first(u"txtPitcureName"_s).text.replace(u'\n', u' ').toStdString();
    };
    EXPECT_EQ(shown(missing), (wines.missingPicturePath + u" doesn't exist!"_s).toStdString());
    EXPECT_TRUE(labelImages(missing).isEmpty());
    const WinePart broken = winePart(run, wines.brokenPicture);
    EXPECT_EQ(shown(broken), (wines.brokenPicturePath +
                              u" can't be shown: it is not a picture this report can read!"_s)
                                 .toStdString());
    EXPECT_TRUE(labelImages(broken).isEmpty());
}

TEST(CellarBookWithoutDetails, LabelPicturesAreClippedWhenTheyFitAndZoomedWhenNot)
{
    const BookRun& run = plainRun();
    const CellarBookWines& wines = installation().wines;
    // 240 x 160 pixels at 96 dpi are 3600 x 2400 twips (6350 x 4233 hundredths of a
    // millimetre): inside the 5100 x 3600 twips box.
    const WinePart small = winePart(run, wines.samplePicture);
    ASSERT_EQ(labelImages(small).size(), 1);
    EXPECT_EQ(labelImages(small).front().sizeMode, report::SizeMode::Clip);
    EXPECT_FALSE(small.has(u"txtPitcureName"_s));
    const WinePart large = winePart(run, wines.largePicture);
    ASSERT_EQ(labelImages(large).size(), 1);
    EXPECT_EQ(labelImages(large).front().sizeMode, report::SizeMode::Zoom);
    // Wines without a picture of their own show none, whatever wine came before them.
    const QList<QStringList> without = sqliteRows(
        u"SELECT WineID FROM tblWines WHERE WineLabelPointer IS NULL OR WineLabelPointer = ''"_s);
    ASSERT_FALSE(without.isEmpty());
    for (const QStringList& row : without)
        EXPECT_TRUE(labelImages(winePart(run, row.front().toInt())).isEmpty())
            << row.front().toStdString();
    int withPicture = 0;
    for (const WinePart& wine : run.recording.pages.wines)
        withPicture += labelImages(wine).size();
    EXPECT_GT(withPicture, 2);
}

TEST(CellarBookWithoutDetails, ShowsTheSixteenPhaseIconsOnEveryWine)
{
    for (const WinePart& wine : plainRun().recording.pages.wines) {
        int icons = 0;
        for (const PlacedImage& image : wine.images)
            icons += image.rect.width == 330 ? 1 : 0;
        EXPECT_EQ(icons, 16);
        EXPECT_FALSE(wine.first(u"txtHold"_s).text.isEmpty());
    }
}

} // namespace
} // namespace parvello::testing
