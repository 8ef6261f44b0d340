// SamplePages: pages the page-stage tests draw and export.

#include "platform/reportengine/tests/SamplePages.h"

#include <QPainter>
#include <utility>

using namespace Qt::StringLiterals;

namespace report::testing {

Page blankPage(int width, int height)
{
    Page page;
    page.paperWidth = width;
    page.paperHeight = height;
    return page;
}

ShapeItem filledBox(const TwipRect& rect, QRgb fill)
{
    ShapeItem item;
    item.rect = rect;
    item.fill = fill;
    return item;
}

TextItem textItem(const TwipRect& rect, const QStringList& lines, HAlign align)
{
    TextItem item;
    item.rect = rect;
    item.lines = lines;
    item.align = align;
    item.lineHeight = 276; // 10 pt Arial with its leading
    return item;
}

QImage solidImage(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    image.setDotsPerMeterX(3780); // 96 dpi
    image.setDotsPerMeterY(3780);
    return image;
}

namespace {

QImage labelPicture()
{
    QImage image(160, 100, QImage::Format_RGB32);
    image.fill(QColor(0x80, 0x20, 0x30));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0xf0, 0xd0, 0x60));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(40, 10, 80, 80));
    painter.end();
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

} // namespace

Page samplePage(ImageStore& images)
{
    Page page = blankPage();
    page.items.push_back(
        ShapeItem{{720, 720, 10800, 720}, ShapeKind::Rectangle, 0xffd8e4f0u, std::nullopt, 15, 1});
    TextItem title = textItem({900, 800, 10440, 560}, {u"Wine list by country"_s});
    title.font.pointSize = 20;
    title.font.bold = true;
    title.lineHeight = 552;
    title.name = u"lblTitle"_s;
    page.items.push_back(title);
    page.items.push_back(LineItem{720, 1560, 11520, 1560, 30, 0xff000000u, 1});

    TextItem left =
        textItem({720, 1800, 3400, 900}, {u"Left aligned,"_s, u"three lines"_s, u"from the top"_s});
    left.backColor = 0xfffff2ccu;
    page.items.push_back(left);
    TextItem centre =
        textItem({4400, 1800, 3400, 900}, {u"Centred"_s, u"in the middle"_s}, HAlign::Center);
    centre.valign = VAlign::Middle;
    centre.font.italic = true;
    page.items.push_back(centre);
    TextItem right = textItem({8120, 1800, 3400, 900}, {u"Right, at the bottom"_s}, HAlign::Right);
    right.valign = VAlign::Bottom;
    right.color = 0xff1040a0u;
    right.font.underline = true;
    page.items.push_back(right);
    page.items.push_back(
        textItem({720, 2900, 2000, 276}, {u"This line is far too long for its narrow box"_s}));

    page.items.push_back(LineItem{720, 3400, 11520, 3400, 15, 0xff808080u, 2});
    page.items.push_back(
        ShapeItem{{720, 3700, 2400, 1400}, ShapeKind::Rectangle, std::nullopt, 0xff000000u, 30, 1});
    page.items.push_back(
        ShapeItem{{3400, 3700, 2400, 1400}, ShapeKind::Ellipse, 0xff60a060u, 0xff204020u, 15, 1});
    page.items.push_back(
        ShapeItem{{6080, 3700, 2400, 1400}, ShapeKind::RoundRect, 0xffe0e0e0u, 0xff404040u, 15, 3});

    // Each picture mode in a box with a hairline frame, so the box shows around the picture.
    const std::uint32_t picture = images.add(labelPicture());
    const std::pair<TwipRect, SizeMode> boxes[] = {{{720, 5400, 1800, 1800}, SizeMode::Clip},
                                                   {{3000, 5400, 3000, 1200}, SizeMode::Stretch},
                                                   {{6400, 5400, 3000, 1800}, SizeMode::Zoom}};
    for (const auto& [box, mode] : boxes) {
        page.items.push_back(ImageItem{box, picture, mode});
        page.items.push_back(ShapeItem{box, ShapeKind::Rectangle, std::nullopt, 0xffc00000u, 0, 1});
    }

    TextItem footer = textItem({720, 14800, 10800, 276}, {u"Page ?"_s}, HAlign::Center);
    footer.field = PageField::PageNumber;
    page.items.push_back(footer);
    page.toc.push_back({0, u"France"_s, 1800});
    return page;
}

} // namespace report::testing
