// objRTFExport: pages as RTF sections of page-anchored text boxes, shapes and pictures.

#include "platform/reportengine/export/RtfExport.h"

#include "platform/reportengine/export/ItemPicture.h"
#include "platform/reportengine/export/PartialFile.h"
#include "platform/reportengine/export/TextLines.h"

#include <cerrno>
#include <cmath>
#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImage>
#include <vector>

using namespace Qt::StringLiterals;

namespace report {

namespace {

constexpr int kEmuPerTwip = 635;

// Text as RTF: ASCII as is (control characters escaped), everything else as \uN followed by
// "?" for readers that cannot show Unicode. The "?" is written as the escape \'3f: some
// readers (unrtf) skip a whole word after \uN instead of one character, but skip an escape
// correctly.
QByteArray rtfText(const QString& text)
{
    QByteArray out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            out += '\\';
            out += char(unit);
        } else if (unit == u'\t') {
            out += "\\tab ";
        } else if (unit >= 0x20 && unit < 0x80) {
            out += char(unit);
        } else if (unit >= 0x80) {
            out += "\\u" + QByteArray::number(static_cast<qint16>(unit)) + "\\'3f";
        }
    }
    return out;
}

QByteArray num(long long value)
{
    return QByteArray::number(value);
}

// Colours as a drawing object property: 0x00BBGGRR.
QByteArray shapeColor(QRgb color)
{
    return num(qRed(color) + qGreen(color) * 256LL + qBlue(color) * 65536LL);
}

QByteArray property(const char* name, const QByteArray& value)
{
    return "{\\sp{\\sn " + QByteArray(name) + "}{\\sv " + value + "}}";
}

// The font and colour tables, filled while the pages are written.
class Tables
{
public:
    int font(const QString& family)
    {
        const auto found = m_fonts.constFind(family);
        if (found != m_fonts.cend())
            return *found;
        const int index = static_cast<int>(m_fonts.size());
        m_fonts.insert(family, index);
        m_fontTable += "{\\f" + num(index) + "\\fnil\\fcharset0 " + rtfText(family) + ";}";
        return index;
    }
    int color(QRgb color)
    {
        const QRgb key = color | 0xff000000;
        const auto found = m_colors.constFind(key);
        if (found != m_colors.cend())
            return *found;
        const int index = static_cast<int>(m_colors.size()) + 1; // 0 is the automatic colour
        m_colors.insert(key, index);
        m_colorTable += "\\red" + num(qRed(key)) + "\\green" + num(qGreen(key)) + "\\blue" +
                        num(qBlue(key)) + ';';
        return index;
    }
    QByteArray header() const
    {
        return "{\\fonttbl" + m_fontTable + "}\n{\\colortbl;" + m_colorTable + "}\n";
    }

private:
    QHash<QString, int> m_fonts;
    QHash<QRgb, int> m_colors;
    QByteArray m_fontTable;
    QByteArray m_colorTable;
};

class RtfWriter
{
public:
    explicit RtfWriter(const ImageStore& images) : m_images(images) { m_tables.font(u"Arial"_s); }

    void page(const Page& page, bool first);
    QByteArray document(const Page& firstPage) const;

private:
    QByteArray shapeStart(const TwipRect& rect, int z, bool behindText);
    void textBox(const TextItem& item, int z);
    void shape(const ShapeItem& item, int z);
    void line(const LineItem& item, int z);
    void picture(const ImageItem& item, int z);
    QByteArray paragraph(const TextItem& item);

    const ImageStore& m_images;
    Tables m_tables;
    QByteArray m_body;
    int m_shapeId = 1024;
};

QByteArray sectionSize(const Page& page)
{
    QByteArray out = "\\pgwsxn" + num(page.paperWidth) + "\\pghsxn" + num(page.paperHeight) +
                     "\\marglsxn0\\margrsxn0\\margtsxn0\\margbsxn0";
    if (page.paperWidth > page.paperHeight)
        out += "\\lndscpsxn";
    return out;
}

void RtfWriter::page(const Page& page, bool first)
{
    if (!first)
        m_body += "\\sect";
    m_body += "\\sectd\\sbkpage" + sectionSize(page) + '\n';
    // One small paragraph at the top of the page holds every object of the page.
    m_body += "{\\pard\\plain\\sl-20\\slmult0\\fs2 ";
    for (std::size_t index = 0; index < page.items.size(); ++index) {
        const int z = static_cast<int>(index);
        if (const auto* s = std::get_if<ShapeItem>(&page.items[index]))
            shape(*s, z);
        else if (const auto* l = std::get_if<LineItem>(&page.items[index]))
            line(*l, z);
        else if (const auto* p = std::get_if<ImageItem>(&page.items[index]))
            picture(*p, z);
    }
    for (const int index : textItemsInReadingOrder(page))
        textBox(std::get<TextItem>(page.items[index]), index);
    m_body += "\\par}\n";
}

QByteArray RtfWriter::shapeStart(const TwipRect& rect, int z, bool behindText)
{
    const int id = m_shapeId++;
    return "{\\shp{\\*\\shpinst\\shpleft" + num(rect.left) + "\\shptop" + num(rect.top) +
           "\\shpright" + num(rect.right()) + "\\shpbottom" + num(rect.bottom()) +
           "\\shpfhdr0\\shpbxpage\\shpbxignore\\shpbypage\\shpbyignore\\shpwr3\\shpwrk0"
           "\\shpfblwtxt" +
           (behindText ? "1" : "0") + "\\shpz" + num(z) + "\\shplid" + num(id) + '\n';
}

QByteArray RtfWriter::paragraph(const TextItem& item)
{
    static const char* const kAlign[] = {"\\ql", "\\qr", "\\qc", "\\qj"};
    QByteArray out = "\\pard\\plain";
    out += kAlign[static_cast<int>(item.align) & 3];
    out += "\\sb0\\sa0\\sl-" + num(lineHeightOf(item)) + "\\slmult0{\\f" +
           num(m_tables.font(item.font.family)) + "\\fs" +
           num(std::lround(item.font.pointSize * 2)) + "\\cf" + num(m_tables.color(item.color));
    if (item.font.bold)
        out += "\\b";
    if (item.font.italic)
        out += "\\i";
    if (item.font.underline)
        out += "\\ul";
    if (item.font.strikeOut)
        out += "\\strike";
    out += ' ';
    for (int line = 0; line < item.lines.size(); ++line) {
        if (line > 0)
            out += "\\line ";
        out += rtfText(item.lines[line]);
    }
    return out + "}\\par";
}

void RtfWriter::textBox(const TextItem& item, int z)
{
    static const char* const kAnchor[] = {"0", "1", "2"}; // top, middle, bottom
    m_body += shapeStart(item.rect, z, false);
    m_body += property("shapeType", "202") + property("fLine", "0");
    if (item.backColor)
        m_body += property("fFilled", "1") + property("fillColor", shapeColor(*item.backColor));
    else
        m_body += property("fFilled", "0");
    // No inner margins and no re-wrapping: the lines stay where the paginator put them.
    m_body += property("dxTextLeft", "0") + property("dxTextRight", "0") +
              property("dyTextTop", "0") + property("dyTextBottom", "0") +
              property("WrapText", "2") + property("fFitShapeToText", "0") +
              property("anchorText", kAnchor[static_cast<int>(item.valign) % 3]);
    const QByteArray text = paragraph(item);
    m_body += "{\\shptxt " + text + "}}\n{\\shprslt{" + text + "}}}\n";
}

void RtfWriter::shape(const ShapeItem& item, int z)
{
    static const char* const kType[] = {"1", "3", "2"}; // rectangle, ellipse, rounded rectangle
    m_body += shapeStart(item.rect, z, true);
    m_body += property("shapeType", kType[static_cast<int>(item.kind) % 3]);
    if (item.fill)
        m_body += property("fFilled", "1") + property("fillColor", shapeColor(*item.fill));
    else
        m_body += property("fFilled", "0");
    if (item.border)
        m_body += property("fLine", "1") + property("lineColor", shapeColor(*item.border)) +
                  property("lineWidth", num(item.borderWidth * kEmuPerTwip)) +
                  property("lineDashing", num(std::max(0, item.borderStyle - 1)));
    else
        m_body += property("fLine", "0");
    m_body += "}}\n";
}

void RtfWriter::line(const LineItem& item, int z)
{
    const TwipRect box{std::min(item.x1, item.x2), std::min(item.y1, item.y2),
                       std::abs(item.x2 - item.x1), std::abs(item.y2 - item.y1)};
    m_body += shapeStart(box, z, true);
    m_body += property("shapeType", "20");
    // A line runs from the top left to the bottom right of its box unless flipped.
    if ((item.x1 > item.x2) != (item.y1 > item.y2))
        m_body += property("fFlipH", "1");
    m_body += property("lineColor", shapeColor(item.color)) +
              property("lineWidth", num(item.width * kEmuPerTwip)) +
              property("lineDashing", num(std::max(0, item.style - 1))) + "}}\n";
}

void RtfWriter::picture(const ImageItem& item, int z)
{
    const QImage image = itemPicture(item, m_images);
    if (image.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    m_body += shapeStart(item.rect, z, false);
    m_body += property("shapeType", "75") + property("fLine", "0");
    m_body += "{\\sp{\\sn pib}{\\sv {\\pict\\pngblip\\picw" + num(image.width()) + "\\pich" +
              num(image.height()) + "\\picwgoal" + num(item.rect.width) + "\\pichgoal" +
              num(item.rect.height) + '\n';
    const QByteArray hex = png.toHex();
    for (qsizetype at = 0; at < hex.size(); at += 128)
        m_body += hex.mid(at, 128) + '\n';
    m_body += "}}}}}\n";
}

QByteArray RtfWriter::document(const Page& firstPage) const
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n" + m_tables.header() + "\\paperw" +
           num(firstPage.paperWidth) + "\\paperh" + num(firstPage.paperHeight) +
           "\\margl0\\margr0\\margt0\\margb0\\viewkind1\n" + m_body + "}\n";
}

} // namespace

objRTFExport::objRTFExport(QObject* parent) : QObject(parent)
{
    setObjectName(u"objRTFExport"_s);
}

void objRTFExport::exportDocument(const PageDocument& document, const Progress& progress)
{
    PartialFile partial(fileName(), objectName());
    RtfWriter writer(document.images());
    Page first;
    for (int index = 0; index < document.count(); ++index) {
        const Page page = document.page(index);
        if (index == 0)
            first = page;
        writer.page(page, index == 0);
        if (progress)
            progress(index + 1);
    }
    QFile file(partial.path());
    const QByteArray bytes = writer.document(first);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        throw partial.writeError(file.errorString(), errno);
    file.close();
    partial.commit();
}

} // namespace report
