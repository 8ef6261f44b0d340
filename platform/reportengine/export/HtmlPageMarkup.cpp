// A page as absolutely positioned HTML.

#include "platform/reportengine/export/HtmlPageMarkup.h"

#include "platform/reportengine/export/TextLines.h"

#include <cmath>
#include <QColor>

using namespace Qt::StringLiterals;

namespace report {

namespace {

const QString kBaseRules = uR"(body{background:#e8e8e8;margin:0;padding:12pt}
.page{position:relative;overflow:hidden;margin:0 auto 12pt auto;background:#ffffff;box-shadow:0 0 4pt #808080;page-break-after:always}
.page>*{position:absolute;margin:0;padding:0;box-sizing:border-box}
.page>a.toc{width:0;height:0}
.nav{text-align:center;font:10pt sans-serif;margin:0 0 8pt 0}
.contents{font:10pt sans-serif;margin:0 0 12pt 0}
@media print{body{background:none;padding:0}.page{margin:0;box-shadow:none}.nav{display:none}}
)"_s;

QString cssColor(QRgb rgb)
{
    if (qAlpha(rgb) == 255)
        return QColor(rgb).name();
    return u"rgba(%1,%2,%3,%4)"_s.arg(qRed(rgb))
        .arg(qGreen(rgb))
        .arg(qBlue(rgb))
        .arg(QString::number(qAlpha(rgb) / 255.0, 'f', 3));
}

QString borderStyle(int penStyle)
{
    switch (penStyle) {
    case 0:
        return u"none"_s;
    case 1:
        return u"solid"_s;
    case 3:
        return u"dotted"_s;
    default:
        return u"dashed"_s;
    }
}

QString box(const TwipRect& rect, int z)
{
    return u"left:%1;top:%2;width:%3;height:%4;z-index:%5"_s.arg(
        cssPoints(rect.left), cssPoints(rect.top), cssPoints(rect.width), cssPoints(rect.height),
        QString::number(z));
}

QString shape(const ShapeItem& item, int z)
{
    QString style = box(item.rect, z);
    if (item.fill)
        style += u";background:"_s + cssColor(*item.fill);
    if (item.border)
        style += u";border:%1 %2 %3"_s.arg(cssPoints(item.borderWidth),
                                           borderStyle(item.borderStyle), cssColor(*item.border));
    if (item.kind == ShapeKind::Ellipse)
        style += u";border-radius:50%"_s;
    else if (item.kind == ShapeKind::RoundRect)
        style += u";border-radius:15%"_s;
    return u"<div style=\"%1\"></div>\n"_s.arg(style);
}

QString line(const LineItem& item, int z)
{
    const QString pen =
        u"%1 %2 %3"_s.arg(cssPoints(item.width), borderStyle(item.style), cssColor(item.color));
    const int half = item.width / 2;
    if (item.y1 == item.y2) {
        const TwipRect r{std::min(item.x1, item.x2), item.y1 - half, std::abs(item.x2 - item.x1),
                         item.width};
        return u"<div style=\"%1;border-top:%2\"></div>\n"_s.arg(box(r, z), pen);
    }
    if (item.x1 == item.x2) {
        const TwipRect r{item.x1 - half, std::min(item.y1, item.y2), item.width,
                         std::abs(item.y2 - item.y1)};
        return u"<div style=\"%1;border-left:%2\"></div>\n"_s.arg(box(r, z), pen);
    }
    // A slanted line: an SVG drawing over its bounding box, in twips.
    const TwipRect r{std::min(item.x1, item.x2) - half, std::min(item.y1, item.y2) - half,
                     std::abs(item.x2 - item.x1) + item.width,
                     std::abs(item.y2 - item.y1) + item.width};
    return u"<svg style=\"%1\" viewBox=\"%2 %3 %4 %5\"><line x1=\"%6\" y1=\"%7\" x2=\"%8\" "
           u"y2=\"%9\" stroke=\"%10\" stroke-width=\"%11\"/></svg>\n"_s
               .arg(box(r, z), QString::number(r.left), QString::number(r.top),
                    QString::number(r.width), QString::number(r.height), QString::number(item.x1),
                    QString::number(item.y1), QString::number(item.x2), QString::number(item.y2))
               .arg(cssColor(item.color), QString::number(item.width));
}

QString textAlign(HAlign align)
{
    switch (align) {
    case HAlign::Right:
        return u"right"_s;
    case HAlign::Center:
        return u"center"_s;
    case HAlign::Justify:
        return u"justify"_s;
    case HAlign::Left:
        break;
    }
    return u"left"_s;
}

QString fontFamily(const QString& family)
{
    QString quoted = u"\""_s + QString(family).remove(u'"').remove(u'\\') + u"\""_s;
    // Liberation Sans is the face with Arial's metrics where Arial is missing.
    if (family.compare(u"Arial"_s, Qt::CaseInsensitive) == 0)
        quoted += u",\"Liberation Sans\""_s;
    return quoted + u",sans-serif"_s;
}

} // namespace

QString cssPoints(int twips)
{
    if (twips % kTwipsPerPoint == 0)
        return QString::number(twips / kTwipsPerPoint) + u"pt"_s;
    return QString::number(twips / double(kTwipsPerPoint), 'f', 2) + u"pt"_s;
}

HtmlPageMarkup::HtmlPageMarkup(PictureFile pictureFile) : m_pictureFile(std::move(pictureFile)) {}

QString HtmlPageMarkup::textClass(const TextItem& item)
{
    QString style = u"font-family:"_s + fontFamily(item.font.family) + u";font-size:"_s +
                    QString::number(item.font.pointSize) + u"pt;line-height:"_s +
                    cssPoints(lineHeightOf(item)) + u";color:"_s + cssColor(item.color) +
                    u";text-align:"_s + textAlign(item.align) + u";white-space:pre"_s;
    if (item.font.bold)
        style += u";font-weight:bold"_s;
    if (item.font.italic)
        style += u";font-style:italic"_s;
    if (item.font.underline || item.font.strikeOut)
        style += u";text-decoration:"_s + (item.font.underline ? u"underline "_s : QString()) +
                 (item.font.strikeOut ? u"line-through"_s : QString());
    const auto found = m_classByStyle.constFind(style);
    if (found != m_classByStyle.cend())
        return *found;
    const QString name = u"t"_s + QString::number(m_classByStyle.size());
    m_classByStyle.insert(style, name);
    m_classRules += u"."_s + name + u'{' + style + u"}\n"_s;
    return name;
}

QString HtmlPageMarkup::text(const TextItem& item, int z)
{
    QString style = box(item.rect, z);
    const int offset = firstLineTop(item) - item.rect.top;
    if (offset > 0)
        style += u";padding-top:"_s + cssPoints(offset);
    if (item.backColor)
        style += u";background:"_s + cssColor(*item.backColor);
    QStringList lines;
    for (const QString& line : item.lines)
        lines << line.toHtmlEscaped();
    return u"<div class=\"%1\" style=\"%2\">%3</div>\n"_s.arg(textClass(item), style,
                                                              lines.join(u"<br>"_s));
}

QString HtmlPageMarkup::page(const Page& page, int pageNumber, int firstTocNumber)
{
    if (m_paperRule.isEmpty())
        m_paperRule = u"@page{size:%1 %2;margin:0}\n"_s.arg(cssPoints(page.paperWidth),
                                                            cssPoints(page.paperHeight));
    QString html = u"<div class=\"page\" id=\"page%1\" style=\"width:%2;height:%3\">\n"_s.arg(
        QString::number(pageNumber), cssPoints(page.paperWidth), cssPoints(page.paperHeight));
    int tocNumber = firstTocNumber;
    for (const TocEntry& entry : page.toc)
        html += u"<a class=\"toc\" id=\"toc%1\" style=\"top:%2\"></a>\n"_s.arg(
            QString::number(tocNumber++), cssPoints(entry.y));
    for (std::size_t index = 0; index < page.items.size(); ++index) {
        const int z = static_cast<int>(index);
        const DisplayItem& item = page.items[index];
        if (const auto* s = std::get_if<ShapeItem>(&item)) {
            html += shape(*s, z);
        } else if (const auto* l = std::get_if<LineItem>(&item)) {
            html += line(*l, z);
        } else if (const auto* p = std::get_if<ImageItem>(&item)) {
            const QString href = m_pictureFile(*p);
            if (!href.isEmpty())
                html += u"<img src=\"%1\" alt=\"\" style=\"%2\">\n"_s.arg(href.toHtmlEscaped(),
                                                                          box(p->rect, z));
        }
    }
    for (const int index : textItemsInReadingOrder(page))
        html += text(std::get<TextItem>(page.items[index]), index);
    return html + u"</div>\n"_s;
}

QString HtmlPageMarkup::styleSheet() const
{
    return kBaseRules + m_paperRule + m_classRules;
}

} // namespace report
