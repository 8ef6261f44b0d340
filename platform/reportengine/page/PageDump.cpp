// PageDocument::dump(): the pages as greppable text, one item per line.

#include "platform/reportengine/page/PageDocument.h"

#include <QColor>

using namespace Qt::StringLiterals;

namespace report {

namespace {

QString box(const TwipRect& rect)
{
    return u"%1,%2 %3x%4"_s.arg(rect.left).arg(rect.top).arg(rect.width).arg(rect.height);
}

QString colorName(const std::optional<QRgb>& color)
{
    return color ? QColor::fromRgb(*color).name() : u"none"_s;
}

QString modeName(SizeMode mode)
{
    switch (mode) {
    case SizeMode::Stretch:
        return u"stretch"_s;
    case SizeMode::Zoom:
        return u"zoom"_s;
    case SizeMode::Clip:
        break;
    }
    return u"clip"_s;
}

QString itemLine(const TextItem& item)
{
    return u"  text  %1  %2  \"%3\""_s.arg(item.name, box(item.rect), item.lines.join(u'|'));
}

QString itemLine(const LineItem& item)
{
    return u"  line %1,%2 %3,%4"_s.arg(item.x1).arg(item.y1).arg(item.x2).arg(item.y2);
}

QString itemLine(const ShapeItem& item)
{
    return u"  shape %1 %2"_s.arg(box(item.rect), colorName(item.fill));
}

QString itemLine(const ImageItem& item)
{
    return u"  image %1 #%2 %3"_s.arg(box(item.rect))
        .arg(item.imageId)
        .arg(modeName(item.sizeMode));
}

} // namespace

QString PageDocument::dump() const
{
    QString text;
    const int total = count();
    for (int i = 0; i < total; ++i) {
        const Page page = this->page(i);
        text += u"page %1 of %2 (%3 x %4)\n"_s.arg(i + 1)
                    .arg(total)
                    .arg(page.paperWidth)
                    .arg(page.paperHeight);
        for (const DisplayItem& item : page.items)
            text +=
                std::visit([](const auto& concrete) { return itemLine(concrete); }, item) + u'\n';
        for (const TocEntry& entry : page.toc)
            text += u"  toc %1 \"%2\" %3\n"_s.arg(QString::number(entry.level), entry.text,
                                                  QString::number(entry.y));
    }
    return text;
}

} // namespace report
