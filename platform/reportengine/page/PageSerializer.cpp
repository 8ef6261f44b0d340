// PageSerializer: every display item kind written to and read from a QDataStream.

#include "platform/reportengine/page/PageSerializer.h"

#include "platform/vb/Error.h"

#include <QDataStream>
#include <QIODevice>

using namespace Qt::StringLiterals;

namespace report {

namespace {

// Written first, so a page cache from another layout of this code is never misread.
constexpr quint32 kPageMagic = 0x51505031; // "QPP1"

QDataStream& operator<<(QDataStream& out, const TwipRect& rect)
{
    return out << qint32(rect.left) << qint32(rect.top) << qint32(rect.width)
               << qint32(rect.height);
}

QDataStream& operator>>(QDataStream& in, TwipRect& rect)
{
    qint32 left = 0, top = 0, width = 0, height = 0;
    in >> left >> top >> width >> height;
    rect = {left, top, width, height};
    return in;
}

QDataStream& operator<<(QDataStream& out, const std::optional<QRgb>& color)
{
    return out << bool(color) << quint32(color.value_or(0));
}

QDataStream& operator>>(QDataStream& in, std::optional<QRgb>& color)
{
    bool set = false;
    quint32 value = 0;
    in >> set >> value;
    color = set ? std::optional<QRgb>(value) : std::nullopt;
    return in;
}

template <typename Enum>
void writeEnum(QDataStream& out, Enum value)
{
    out << quint8(value);
}

template <typename Enum>
Enum readEnum(QDataStream& in)
{
    quint8 value = 0;
    in >> value;
    return static_cast<Enum>(value);
}

QDataStream& operator<<(QDataStream& out, const FontSpec& font)
{
    const quint8 style = quint8((font.bold ? 1 : 0) | (font.italic ? 2 : 0) |
                                (font.underline ? 4 : 0) | (font.strikeOut ? 8 : 0));
    return out << font.family << font.pointSize << style;
}

QDataStream& operator>>(QDataStream& in, FontSpec& font)
{
    quint8 style = 0;
    in >> font.family >> font.pointSize >> style;
    font.bold = style & 1;
    font.italic = style & 2;
    font.underline = style & 4;
    font.strikeOut = style & 8;
    return in;
}

void writeItem(QDataStream& out, const TextItem& item)
{
    out << item.rect << item.lines << item.font << quint32(item.color) << item.backColor;
    writeEnum(out, item.align);
    writeEnum(out, item.valign);
    out << qint32(item.lineHeight);
    writeEnum(out, item.field);
    out << item.name;
}

void writeItem(QDataStream& out, const LineItem& item)
{
    out << qint32(item.x1) << qint32(item.y1) << qint32(item.x2) << qint32(item.y2)
        << qint32(item.width) << quint32(item.color) << quint8(item.style);
}

void writeItem(QDataStream& out, const ShapeItem& item)
{
    out << item.rect;
    writeEnum(out, item.kind);
    out << item.fill << item.border << qint32(item.borderWidth) << quint8(item.borderStyle);
}

void writeItem(QDataStream& out, const ImageItem& item)
{
    out << item.rect << quint32(item.imageId);
    writeEnum(out, item.sizeMode);
}

TextItem readText(QDataStream& in)
{
    TextItem item;
    quint32 color = 0;
    qint32 lineHeight = 0;
    in >> item.rect >> item.lines >> item.font >> color >> item.backColor;
    item.color = color;
    item.align = readEnum<HAlign>(in);
    item.valign = readEnum<VAlign>(in);
    in >> lineHeight;
    item.lineHeight = lineHeight;
    item.field = readEnum<PageField>(in);
    in >> item.name;
    return item;
}

LineItem readLine(QDataStream& in)
{
    qint32 x1 = 0, y1 = 0, x2 = 0, y2 = 0, width = 0;
    quint32 color = 0;
    quint8 style = 0;
    in >> x1 >> y1 >> x2 >> y2 >> width >> color >> style;
    return {x1, y1, x2, y2, width, color, style};
}

ShapeItem readShape(QDataStream& in)
{
    ShapeItem item;
    qint32 borderWidth = 0;
    in >> item.rect;
    item.kind = readEnum<ShapeKind>(in);
    in >> item.fill >> item.border >> borderWidth >> item.borderStyle;
    item.borderWidth = borderWidth;
    return item;
}

ImageItem readImage(QDataStream& in)
{
    ImageItem item;
    quint32 id = 0;
    in >> item.rect >> id;
    item.imageId = id;
    item.sizeMode = readEnum<SizeMode>(in);
    return item;
}

DisplayItem readItem(QDataStream& in, quint8 kind)
{
    switch (kind) {
    case 0:
        return readText(in);
    case 1:
        return readLine(in);
    case 2:
        return readShape(in);
    case 3:
        return readImage(in);
    }
    in.setStatus(QDataStream::ReadCorruptData);
    return LineItem{};
}

vb::Error corruptPage()
{
    return vb::Error(vb::ErrorNumber::PathFileAccessError,
                     u"A page of the report could not be read back from its disk cache. Check "
                     "that the temporary folder is not cleaned while the report is open."_s,
                     u"report"_s);
}

} // namespace

QByteArray serializePage(const Page& page)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kPageMagic << qint32(page.paperWidth) << qint32(page.paperHeight)
        << quint32(page.items.size());
    for (const DisplayItem& item : page.items) {
        out << quint8(item.index());
        std::visit([&out](const auto& concrete) { writeItem(out, concrete); }, item);
    }
    out << quint32(page.toc.size());
    for (const TocEntry& entry : page.toc)
        out << qint32(entry.level) << entry.text << qint32(entry.y);
    return bytes;
}

Page deserializePage(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0, itemCount = 0, tocCount = 0;
    qint32 paperWidth = 0, paperHeight = 0;
    in >> magic >> paperWidth >> paperHeight >> itemCount;
    if (magic != kPageMagic || in.status() != QDataStream::Ok)
        throw corruptPage();
    Page page;
    page.paperWidth = paperWidth;
    page.paperHeight = paperHeight;
    page.items.reserve(qMin<quint32>(itemCount, 1u << 16));
    for (quint32 i = 0; i < itemCount && in.status() == QDataStream::Ok; ++i) {
        quint8 kind = 0;
        in >> kind;
        page.items.push_back(readItem(in, kind));
    }
    in >> tocCount;
    for (quint32 i = 0; i < tocCount && in.status() == QDataStream::Ok; ++i) {
        qint32 level = 0, y = 0;
        QString text;
        in >> level >> text >> y;
        page.toc.push_back({level, text, y});
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        throw corruptPage();
    return page;
}

} // namespace report
