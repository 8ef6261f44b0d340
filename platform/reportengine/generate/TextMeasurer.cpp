// Text measurement with the twip-sized font: a fast path for text that fits on one line, the
// Qt text layout for wrapping.
#include "platform/reportengine/generate/TextMeasurer.h"

#include <array>
#include <cmath>
#include <QFontMetricsF>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace report {
namespace {

// The share of a box an estimated width may take and still be trusted to fit unshaped.
constexpr qreal kEstimateMargin = 0.97;

} // namespace

struct TextMeasurer::FontEntry
{
    explicit FontEntry(const FontSpec& style)
        : font(style.toTwipFont()), metrics(font),
          lineHeight(static_cast<int>(std::ceil(metrics.lineSpacing())))
    {
        latin1Advances.fill(-1);
    }

    // An upper estimate of the text's width from the advances of its characters (kerning only
    // ever brings most pairs closer), or -1 when a character needs real shaping.
    qreal estimatedWidth(const QString& text)
    {
        qreal width = 0;
        for (const QChar c : text) {
            const char16_t code = c.unicode();
            if (code >= latin1Advances.size() || code < 0x20)
                return -1;
            qreal& advance = latin1Advances[code];
            if (advance < 0)
                advance = metrics.horizontalAdvance(c);
            width += advance;
        }
        return width;
    }

    QFont font;
    QFontMetricsF metrics;
    int lineHeight;
    std::array<qreal, 256> latin1Advances;
};

TextMeasurer::TextMeasurer() = default;
TextMeasurer::~TextMeasurer() = default;

TextMeasurer::FontEntry& TextMeasurer::entry(const FontSpec& font)
{
    // Rows of a report measure the same few fonts over and over.
    if (m_last && m_lastSpec == font)
        return *m_last;
    const QString key = u"%1|%2|%3%4%5%6"_s.arg(font.family)
                            .arg(font.pointSize)
                            .arg(int(font.bold))
                            .arg(int(font.italic))
                            .arg(int(font.underline))
                            .arg(int(font.strikeOut));
    auto it = m_fonts.find(key);
    if (it == m_fonts.end())
        it = m_fonts.insert(key, std::make_shared<FontEntry>(font));
    m_lastSpec = font;
    m_last = it->get();
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
        // Shaping is the costly part of measuring; most texts plainly fit without it.
        const qreal estimate = fontEntry.estimatedWidth(paragraph);
        const bool plainlyFits = estimate >= 0 && estimate <= width * kEstimateMargin;
        if (!wordWrap || paragraph.isEmpty() || plainlyFits ||
            fontEntry.metrics.horizontalAdvance(paragraph) <= width) {
            result.lines << paragraph;
            continue;
        }
        wrapParagraph(paragraph, fontEntry.font, width, result.lines);
    }
    return result;
}

} // namespace report
