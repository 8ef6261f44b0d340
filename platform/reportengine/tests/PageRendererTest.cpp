// Tests of the renderer: shapes, text and pictures at their places at several resolutions.

#include "platform/reportengine/render/PageRenderer.h"

#include "platform/reportengine/tests/SamplePages.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>

using namespace Qt::StringLiterals;
using namespace report;
using namespace report::testing;

namespace {

// The pixels of `image` in `area` (device pixels) that satisfy `test`, and those outside it.
struct Count
{
    int inside = 0;
    int outside = 0;
};

template <typename Test>
Count countPixels(const QImage& image, const QRect& area, Test test)
{
    Count count;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (test(row[x]))
                ++(area.contains(x, y) ? count.inside : count.outside);
    }
    return count;
}

bool isDark(QRgb pixel)
{
    return qGray(pixel) < 160;
}

bool isInk(QRgb pixel)
{
    return qGray(pixel) < 250;
}

// A twip rectangle in pixels at `dpi` (its edges on pixel boundaries in these tests).
QRect pixels(const TwipRect& rect, double dpi)
{
    const double scale = dpi / kTwipsPerInch;
    return QRect(qRound(rect.left * scale), qRound(rect.top * scale), qRound(rect.width * scale),
                 qRound(rect.height * scale));
}

// The smallest rectangle holding every pixel that satisfies `test`.
template <typename Test>
QRect boundsOf(const QImage& image, Test test)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (test(row[x])) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QString outputPath(const QString& name)
{
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

} // namespace

TEST(PageRenderer, fillsAShapeExactlyOnItsPixelsAtAnyResolution)
{
    ImageStore images;
    const TwipRect box{1440, 2160, 2880, 720};
    Page page = blankPage();
    page.items.push_back(filledBox(box, 0xffff0000u));
    for (double dpi : {96.0, 300.0}) {
        const QImage image = renderPageImage(page, images, dpi);
        EXPECT_EQ(image.size(), QSize(qRound(8.5 * dpi), qRound(11 * dpi)));
        const QRect expected = pixels(box, dpi);
        const Count red = countPixels(image, expected, [](QRgb p) { return p == qRgb(255, 0, 0); });
        EXPECT_EQ(red.inside, expected.width() * expected.height()) << dpi << " dpi";
        EXPECT_EQ(red.outside, 0) << dpi << " dpi";
        EXPECT_EQ(countPixels(image, expected, isInk).outside, 0) << dpi << " dpi";
    }
}

TEST(PageRenderer, outlinesShapesInsideTheirBoxAndDrawsLinesAtTheirWidth)
{
    ImageStore images;
    Page page = blankPage();
    const TwipRect frame{1440, 1440, 2880, 1440};
    page.items.push_back(ShapeItem{frame, ShapeKind::Rectangle, std::nullopt, 0xff000000u, 60, 1});
    page.items.push_back(LineItem{1440, 4320, 4320, 4320, 30, 0xff0000ffu, 1});
    const QImage image = renderPageImage(page, images, 96);

    const QRect framePixels = pixels(frame, 96);
    EXPECT_EQ(boundsOf(image, [](QRgb p) { return isDark(p) && qBlue(p) < 160; }), framePixels);
    EXPECT_TRUE(isDark(image.pixel(framePixels.topLeft())));
    EXPECT_TRUE(isDark(image.pixel(framePixels.left() + 3, framePixels.center().y())));
    EXPECT_FALSE(isInk(image.pixel(framePixels.center()))); // not filled

    // 30 twips at 96 dpi: two rows of pixels centred on y = 288, from x 96 to 288.
    const QRect line = boundsOf(image, [](QRgb p) { return qBlue(p) > 200 && qRed(p) < 100; });
    EXPECT_EQ(line, QRect(96, 287, 192, 2));
}

TEST(PageRenderer, drawsTextInsideItsBoxAlignedAsAsked)
{
    ImageStore images;
    const TwipRect box{1440, 1440, 5760, 1440};
    struct Case
    {
        HAlign align;
        VAlign valign;
    };
    for (const Case& c : {Case{HAlign::Left, VAlign::Top}, Case{HAlign::Right, VAlign::Bottom},
                          Case{HAlign::Center, VAlign::Middle}}) {
        Page page = blankPage();
        TextItem text = textItem(box, {u"Château Margaux 1990"_s, u"Pauillac"_s}, c.align);
        text.valign = c.valign;
        text.font.pointSize = 14;
        text.lineHeight = 400;
        page.items.push_back(text);
        const QImage image = renderPageImage(page, images, 150);
        const QRect area = pixels(box, 150);
        const Count dark = countPixels(image, area, isDark);
        EXPECT_GT(dark.inside, 200);
        EXPECT_EQ(countPixels(image, area, isInk).outside, 0);

        const QRect ink = boundsOf(image, isDark);
        const int slack = 6; // side bearings and antialiasing, in pixels
        const int lineBlock = qRound(800 * 150.0 / kTwipsPerInch);
        switch (c.align) {
        case HAlign::Left:
            EXPECT_LE(ink.left() - area.left(), slack);
            EXPECT_LE(ink.top() - area.top(), slack);
            break;
        case HAlign::Right:
            EXPECT_LE(area.right() - ink.right(), slack);
            EXPECT_GE(ink.top() - area.top(), area.height() - lineBlock - slack);
            break;
        default:
            EXPECT_LE(std::abs((ink.left() - area.left()) - (area.right() - ink.right())), slack);
            EXPECT_LE(std::abs((ink.top() - area.top()) - (area.bottom() - ink.bottom())),
                      2 * slack);
        }
    }
}

TEST(PageRenderer, cutsTextTooLongForItsBoxAtTheBoxSidesAndPaintsItsBackground)
{
    ImageStore images;
    Page page = blankPage();
    const TwipRect box{1440, 1440, 1440, 300};
    TextItem text = textItem(box, {u"A text far too long to fit in a one inch box"_s});
    text.backColor = 0xffffff00u;
    page.items.push_back(text);
    TextItem centred = textItem(box.translated(0, 1440), text.lines, HAlign::Center);
    page.items.push_back(centred);
    const QImage image = renderPageImage(page, images, 96);

    const Count yellow =
        countPixels(image, pixels(box, 96), [](QRgb p) { return p == qRgb(255, 255, 0); });
    EXPECT_GT(yellow.inside, 0);
    EXPECT_EQ(yellow.outside, 0);
    const QRect boxes = pixels(box, 96).united(pixels(box.translated(0, 1440), 96));
    EXPECT_EQ(countPixels(image, boxes, isInk).outside, 0);
    EXPECT_GT(countPixels(image, pixels(box.translated(0, 1440), 96), isDark).inside, 50);
}

TEST(PageRenderer, cutsALineJustTooLongForItsBoxAndKeepsOneThatJustFits)
{
    ImageStore images;
    const QStringList texts = {u"Bordeaux Supérieur, Château Lafite 1990"_s,
                               u"Ελληνικά κρασιά, Νάουσα"_s};
    for (const QString& line : texts) {
        TextItem probe = textItem({}, {line});
        probe.font.pointSize = 14;
        const int width = qCeil(QFontMetricsF(probe.font.toTwipFont()).horizontalAdvance(line));
        for (const int slack : {-60, 15}) {
            Page page = blankPage();
            TextItem text = probe;
            text.rect = {1440, 1440, width + slack, 400};
            page.items.push_back(text);
            const QImage image = renderPageImage(page, images, 300);
            const QRect box = pixels(text.rect, 300);
            const QRect ink = boundsOf(image, isInk);
            EXPECT_TRUE(box.contains(ink)) << line.toStdString() << " slack " << slack;
            // Cut: the last letter is missing; fitting: it reaches the box's right side.
            if (slack < 0)
                EXPECT_GE(ink.right(), box.right() - 1) << line.toStdString();
            else
                EXPECT_GE(ink.right(), box.right() - qRound((slack + 120) * 300.0 / 1440))
                    << line.toStdString();
        }
    }
}

TEST(PageRenderer, placesPicturesByTheirSizeMode)
{
    ImageStore images;
    // 100 x 50 pixels at 96 dpi: 1500 x 750 twips on paper.
    const std::uint32_t picture = images.add(solidImage(100, 50, Qt::blue));
    QImage unknownResolution = solidImage(100, 50, Qt::green);
    unknownResolution.setDotsPerMeterX(0);
    unknownResolution.setDotsPerMeterY(0);
    const std::uint32_t green = images.add(unknownResolution);
    const auto blue = [](QRgb p) { return qBlue(p) > 200 && qRed(p) < 60 && qGreen(p) < 60; };
    const auto isGreen = [](QRgb p) { return qGreen(p) > 100 && qRed(p) < 60 && qBlue(p) < 60; };
    struct Case
    {
        TwipRect box;
        SizeMode mode;
        TwipRect drawn; // where the picture should show
    };
    const Case cases[] = {
        {{1440, 1440, 3000, 3000}, SizeMode::Clip, {1440, 1440, 1500, 750}},
        {{1440, 1440, 750, 600}, SizeMode::Clip, {1440, 1440, 750, 600}},
        {{1440, 1440, 3000, 1200}, SizeMode::Stretch, {1440, 1440, 3000, 1200}},
        {{1440, 1440, 3000, 3000}, SizeMode::Zoom, {1440, 2190, 3000, 1500}},
        {{1440, 1440, 3000, 600}, SizeMode::Zoom, {2340, 1440, 1200, 600}},
    };
    for (double dpi : {96.0, 192.0}) {
        for (const Case& c : cases) {
            Page page = blankPage();
            page.items.push_back(ImageItem{c.box, picture, c.mode});
            const QImage image = renderPageImage(page, images, dpi);
            const QRect expected = pixels(c.drawn, dpi);
            const QRect drawn = boundsOf(image, blue);
            EXPECT_LE(std::abs(drawn.left() - expected.left()), 1) << int(c.mode) << " " << dpi;
            EXPECT_LE(std::abs(drawn.top() - expected.top()), 1) << int(c.mode) << " " << dpi;
            EXPECT_LE(std::abs(drawn.right() - expected.right()), 1) << int(c.mode) << " " << dpi;
            EXPECT_LE(std::abs(drawn.bottom() - expected.bottom()), 1) << int(c.mode) << " " << dpi;
        }
    }
    Page page = blankPage();
    page.items.push_back(ImageItem{{1440, 1440, 3000, 3000}, green, SizeMode::Clip});
    page.items.push_back(ImageItem{{5000, 1440, 3000, 3000}, 99, SizeMode::Stretch});
    const QImage image = renderPageImage(page, images, 96);
    EXPECT_EQ(boundsOf(image, isGreen), QRect(96, 96, 100, 50)); // taken as 96 dpi
    EXPECT_EQ(countPixels(image, pixels({5000, 1440, 3000, 3000}, 96), isInk).inside, 0);
}

TEST(PageRenderer, paintsIntoAnyTargetRectangleScaledUniformly)
{
    ImageStore images;
    Page page = blankPage();
    page.items.push_back(filledBox({0, 0, 6120, 7920}, 0xff000000u));
    QImage image(400, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderPage(painter, page, images, QRectF(50, 40, 170, 220)); // 170 / 12240 twips
    painter.end();
    EXPECT_EQ(boundsOf(image, isDark), QRect(50, 40, 85, 110));
}

TEST(PageRenderer, writesTheSamplePageForALook)
{
    ImageStore images;
    const Page page = samplePage(images);
    const QImage image = renderPageImage(page, images, 110);
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(outputPath(u"reportengine-sample-page.png"_s)));
    EXPECT_GT(countPixels(image, image.rect(), isDark).inside, 5000);
}
