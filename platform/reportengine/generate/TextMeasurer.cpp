// Text measurement with the twip-sized font: a fast path for text that fits on one line, the
// Qt text layout for wrapping.
#include "platform/reportengine/generate/TextMeasurer.h"

#include <cmath>
#include <QFontMetricsF>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace report {

struct TextMeasurer::FontEntry
{
    explicit FontEntry(const FontSpec& spec)
        : font(spec.toTwipFont()), metrics(font),
          lineHeight(static_cast<int>(std::ceil(metrics.lineSpacing())))
    {
    }

    QFont font;
    QFontMetricsF metrics;
    int lineHeight;
};

TextMeasurer::TextMeasurer() = default;
TextMeasurer::~TextMeasurer() = default;

TextMeasurer::FontEntry& TextMeasurer::entry(const FontSpec& font)
{
    const QString key = u"%1|%2|%3%4%5%6"_s.arg(font.family)
                            .arg(font.pointSize)
                            .arg(int(font.bold))
                            .arg(int(font.italic))
                            .arg(int(font.underline))
                            .arg(int(font.strikeOut));
    auto it = m_fonts.find(key);
    if (it == m_fonts.end())
        it = m_fonts.insert(key, std::make_shared<FontEntry>(font));
    return **it;
}

int TextMeasurer::lineHeight(const FontSpec& font)
{
    return entry(font).lineHeight;
}

namespace {

void wrapParagraph(const QString& paragraph, const QFont& font, int width, QStringList& lines)
{
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        QString text = paragraph.mid(line.textStart(), line.textLength());
        while (!text.isEmpty() && text.back().isSpace())
            text.chop(1);
        lines << text;
    }
    layout.endLayout();
}

} // namespace

MeasuredText TextMeasurer::measure(const QString& text, const FontSpec& font, int width,
                                   bool wordWrap)
{
    FontEntry& fontEntry = entry(font);
    MeasuredText result;
    result.lineHeight = fontEntry.lineHeight;
    if (text.isEmpty())
        return result;

    QString normalized = text;
    normalized.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    const QStringList paragraphs = normalized.split(u'\n');
    for (const QString& paragraph : paragraphs) {
        if (!wordWrap || paragraph.isEmpty() ||
            fontEntry.metrics.horizontalAdvance(paragraph) <= width) {
            result.lines << paragraph;
            continue;
        }
        wrapParagraph(paragraph, fontEntry.font, width, result.lines);
    }
    return result;
}

} // namespace report
