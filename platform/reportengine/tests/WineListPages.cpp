// WineListPages: a generated wine list built by hand, page by page.

#include "platform/reportengine/tests/WineListPages.h"

#include "platform/reportengine/tests/SamplePages.h"

#include <QLocale>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace report::testing {

namespace {

constexpr int kRowHeight = 300;
constexpr int kRowsPerPage = 12;
constexpr QRgb kShading = 0xffe4e4e4u;

const QStringList& wineNames()
{
    static const QStringList names = {
        u"Château Margaux"_s, u"Grüner Veltliner"_s, u"A & B Cellars <unknown>"_s,
        u"Ржавец Мавруд"_s,   u"甲州 Koshu"_s,       u"Barolo Riserva"_s,
    };
    return names;
}

QImage bottlePicture()
{
    QImage image(120, 200, QImage::Format_RGB32);
    image.fill(QColor(0xf4, 0xf0, 0xe0));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 20; ++i) {
        painter.setBrush(QColor(0x40 + i * 8, 0x10 + i * 3, 0x30));
        painter.drawEllipse(QPointF(60, 100), 50 - i * 2, 90 - i * 4);
    }
    painter.end();
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

TextItem cell(int left, int top, int width, const QString& text, HAlign align = HAlign::Left)
{
    return textItem({left, top, width, 276}, {text}, align);
}

void addHeader(Page& page, PageDocument& document, int index)
{
    TextItem title = textItem({720, 720, 9000, 552}, {u"Wine list"_s});
    title.font.pointSize = 20;
    title.font.bold = true;
    title.lineHeight = 552;
    title.name = u"lblReportTitle"_s;
    page.items.push_back(title);
    if (index == 0)
        page.items.push_back(ImageItem{
            {10080, 720, 1440, 2400}, document.images().add(bottlePicture()), SizeMode::Zoom});
    page.items.push_back(LineItem{720, 1400, 9800, 1400, 30, 0xff000000u, 1});
}

void addFooter(Page& page)
{
    page.items.push_back(cell(720, 14800, 500, u"Page"_s));
    TextItem number = cell(1240, 14800, 400, u"?"_s);
    number.field = PageField::PageNumber;
    page.items.push_back(number);
    page.items.push_back(cell(1660, 14800, 300, u"of"_s));
    TextItem count = cell(1980, 14800, 400, u"?"_s);
    count.field = PageField::PageCount;
    page.items.push_back(count);
}

} // namespace

QStringList wineListNames(int index)
{
    QStringList names;
    for (int row = 0; row < kRowsPerPage; ++row)
        names << wineNames()[(index * kRowsPerPage + row) % wineNames().size()] + u" "_s +
                     QString::number(index * kRowsPerPage + row + 1);
    return names;
}

void fillWineList(PageDocument& document, int pages)
{
    for (int index = 0; index < pages; ++index) {
        Page page = blankPage();
        addHeader(page, document, index);
        int y = 3400;
        // A country group on every page, a region subgroup every half page.
        TextItem country = cell(720, y, 6000, u"Country %1"_s.arg(index + 1));
        country.font.bold = true;
        country.font.pointSize = 12;
        page.items.push_back(country);
        page.toc.push_back({0, country.text(), y});
        y += 400;
        const QStringList names = wineListNames(index);
        for (int row = 0; row < kRowsPerPage; ++row) {
            if (row % 6 == 0) {
                const QString region = u"Region %1.%2"_s.arg(index + 1).arg(row / 6 + 1);
                TextItem header = cell(1000, y, 5000, region);
                header.font.italic = true;
                page.items.push_back(header);
                page.toc.push_back({1, region, y});
                y += kRowHeight;
            }
            if (row % 2 == 1)
                page.items.push_back(ShapeItem{{720, y - 12, 10800, kRowHeight},
                                               ShapeKind::Rectangle,
                                               kShading,
                                               std::nullopt,
                                               15,
                                               1});
            page.items.push_back(cell(1000, y, 5400, names[row]));
            page.items.push_back(cell(6600, y, 1200, QString::number(1990 + row), HAlign::Right));
            const double price = 1234.5 + index * 100 + row * 7.25;
            page.items.push_back(cell(
                8000, y, 1600, QLocale(QLocale::English).toString(price, 'f', 2), HAlign::Right));
            y += kRowHeight;
        }
        addFooter(page);
        document.append(std::move(page));
    }
    document.setState(GenerationState::Finished);
}

} // namespace report::testing
