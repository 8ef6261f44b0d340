// PageRenderer: display items in twips painted onto any QPainter.

#include "platform/reportengine/render/PageRenderer.h"

#include "platform/reportengine/page/TextPlacement.h"
#include "platform/reportengine/render/TextWidth.h"

#include <deque>
#include <optional>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>

namespace report {

namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr double kDefaultImageDpi = 96.0;

// The fonts of one page, made once: a page repeats a handful of fonts over many items.
class PageFonts
{
public:
    struct Entry
    {
        FontSpec style;
        QFont font;
        QFontMetricsF metrics;
    };

    const Entry& get(const FontSpec& style)
    {
        for (const Entry& entry : m_entries)
            if (entry.style == style)
                return entry;
        const QFont font = style.toTwipFont();
        return m_entries.emplace_back(Entry{style, font, QFontMetricsF(font)});
    }

private:
    std::deque<Entry> m_entries; // entries stay where they are as others are added
};

QRectF toRectF(const TwipRect& rect)
{
    return QRectF(rect.left, rect.top, rect.width, rect.height);
}

Qt::PenStyle penStyle(std::uint8_t style)
{
    return style <= Qt::DashDotDotLine ? static_cast<Qt::PenStyle>(style) : Qt::SolidLine;
}

// The text pen and font last set on the painter: a page sets the same ones item after item,
// and every change costs the PDF writer a state change.
struct TextState
{
    const PageFonts::Entry* font = nullptr;
    bool penSet = false;
    QRgb color = 0;
};

// The width of `line` where it matters: exactly for lines placed by their width, else only
// when it may be too long for its box (0 when it plainly fits).
double lineWidth(const TextItem& item, const PageFonts::Entry& font, const QString& line)
{
    if (item.align == HAlign::Left || item.align == HAlign::Justify) {
        const std::optional<double> bound = quickWidthBound(item.font, font.metrics, line);
        if (bound && *bound <= item.rect.width)
            return 0;
    }
    return font.metrics.horizontalAdvance(line);
}

void drawText(QPainter& painter, const TextItem& item, PageFonts& fonts, TextState& state,
              double paperHeight)
{
    if (item.backColor)
        painter.fillRect(toRectF(item.rect), QColor::fromRgba(*item.backColor));
    if (item.lines.isEmpty())
        return;
    const PageFonts::Entry& font = fonts.get(item.font);
    const double lineHeight = item.lineHeight > 0 ? item.lineHeight : font.metrics.height();
    double top = textBlockTop(item, lineHeight * item.lines.size());
    if (state.font != &font) {
        painter.setFont(font.font);
        state.font = &font;
    }
    if (!state.penSet || state.color != item.color) {
        painter.setPen(QColor::fromRgba(item.color));
        state.penSet = true;
        state.color = item.color;
    }
    for (const QString& line : item.lines) {
        const double width = lineWidth(item, font, line);
        const QPointF baseline(textLineLeft(item, width), top + font.metrics.ascent());
        if (width > item.rect.width) {
            // Too long for its box: cut at the box's sides rather than paint over neighbours.
            painter.save();
            painter.setClipRect(QRectF(item.rect.left, 0, item.rect.width, paperHeight),
                                Qt::IntersectClip);
            painter.drawText(baseline, line);
            painter.restore();
        } else {
            painter.drawText(baseline, line);
        }
        top += lineHeight;
    }
}

void drawLine(QPainter& painter, const LineItem& item)
{
    QPen pen(QColor::fromRgba(item.color), item.width, penStyle(item.style));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(item.x1, item.y1), QPointF(item.x2, item.y2));
}

void drawShape(QPainter& painter, const ShapeItem& item)
{
    QRectF rect = toRectF(item.rect);
    if (item.border && item.borderWidth > 0) {
        // The outline is drawn inside the box, so a framed shape covers exactly its box.
        const double half = item.borderWidth / 2.0;
        rect.adjust(half, half, -half, -half);
        painter.setPen(QPen(QColor::fromRgba(*item.border), item.borderWidth,
                            penStyle(item.borderStyle), Qt::SquareCap, Qt::MiterJoin));
    } else if (item.border) {
        painter.setPen(QPen(QColor::fromRgba(*item.border), 0, penStyle(item.borderStyle)));
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.setBrush(item.fill ? QBrush(QColor::fromRgba(*item.fill)) : QBrush(Qt::NoBrush));
    switch (item.kind) {
    case ShapeKind::Ellipse:
        painter.drawEllipse(rect);
        break;
    case ShapeKind::RoundRect: {
        const double radius = qMin(rect.width(), rect.height()) / 6.0;
        painter.drawRoundedRect(rect, radius, radius);
        break;
    }
    case ShapeKind::Rectangle:
        painter.drawRect(rect);
        break;
    }
    painter.setBrush(Qt::NoBrush);
}

// The picture's size on paper, from its resolution.
QSizeF naturalSize(const QImage& image)
{
    const double dpiX =
        image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() * kMetresPerInch : kDefaultImageDpi;
    const double dpiY =
        image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() * kMetresPerInch : kDefaultImageDpi;
    return QSizeF(image.width() * kTwipsPerInch / dpiX, image.height() * kTwipsPerInch / dpiY);
}

QRectF imageTarget(const ImageItem& item, const QImage& image)
{
    const QRectF box = toRectF(item.rect);
    switch (item.sizeMode) {
    case SizeMode::Stretch:
        return box;
    case SizeMode::Zoom: {
        const QSizeF size = QSizeF(image.size()).scaled(box.size(), Qt::KeepAspectRatio);
        return QRectF(box.left() + (box.width() - size.width()) / 2.0,
                      box.top() + (box.height() - size.height()) / 2.0, size.width(),
                      size.height());
    }
    case SizeMode::Clip:
        break;
    }
    return QRectF(box.topLeft(), naturalSize(image));
}

// On a raster device a picture much larger than its place is scaled down once, smoothly;
// a bilinear draw of a large reduction would alias. Vector devices keep the original.
QImage forDevice(const QPainter& painter, const QImage& image, const QRectF& target)
{
    if (painter.paintEngine() == nullptr || painter.paintEngine()->type() != QPaintEngine::Raster)
        return image;
    const QSize device = painter.transform().mapRect(target).size().toSize();
    if (device.width() <= 0 || device.height() <= 0 || device.width() * 2 > image.width() ||
        device.height() * 2 > image.height())
        return image;
    return image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void drawImage(QPainter& painter, const ImageItem& item, const ImageStore& images)
{
    const QImage image = images.image(item.imageId);
    if (image.isNull() || item.rect.width <= 0 || item.rect.height <= 0)
        return; // an unreadable picture draws nothing
    const QRectF target = imageTarget(item, image);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipRect(toRectF(item.rect), Qt::IntersectClip);
    painter.drawImage(target, forDevice(painter, image, target));
    painter.restore();
}

} // namespace

void renderPage(QPainter& painter, const Page& page, const ImageStore& images, const QRectF& target)
{
    if (page.paperWidth <= 0 || page.paperHeight <= 0)
        return;
    const double scale = target.width() / page.paperWidth;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    PageFonts fonts;
    TextState textState;
    for (const DisplayItem& item : page.items) {
        if (const auto* text = std::get_if<TextItem>(&item)) {
            drawText(painter, *text, fonts, textState, page.paperHeight);
            continue;
        }
        textState.penSet = false; // the other items set pens of their own
        if (const auto* line = std::get_if<LineItem>(&item))
            drawLine(painter, *line);
        else if (const auto* shape = std::get_if<ShapeItem>(&item))
            drawShape(painter, *shape);
        else
            drawImage(painter, std::get<ImageItem>(item), images);
    }
    painter.restore();
}

QImage renderPageImage(const Page& page, const ImageStore& images, double dpi)
{
    const double scale = dpi / kTwipsPerInch;
    const QSizeF size(page.paperWidth * scale, page.paperHeight * scale);
    QImage image(size.toSize(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int dotsPerMetre = qRound(dpi / kMetresPerInch);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    renderPage(painter, page, images, QRectF(QPointF(0, 0), size));
    return image;
}

} // namespace report
