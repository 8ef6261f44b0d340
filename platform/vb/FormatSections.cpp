#include "FormatSections.h"

namespace vb {

std::vector<QString> splitFormatSections(QStringView pattern)
{
    std::vector<QString> sections(1);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('"')) {
            const qsizetype close = pattern.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? pattern.size() - 1 : close;
            sections.back() += pattern.mid(i, end - i + 1);
            i = end;
        } else if (c == QLatin1Char('\\') && i + 1 < pattern.size()) {
            sections.back() += pattern.mid(i, 2);
            ++i;
        } else if (c == QLatin1Char(';') && sections.size() < 4) {
            sections.emplace_back();
        } else {
            sections.back() += c;
        }
    }
    return sections;
}

qsizetype colourLength(QStringView section, qsizetype from)
{
    if (section[from] != QLatin1Char('[')) {
        return 0;
    }
    const qsizetype close = section.indexOf(QLatin1Char(']'), from + 1);
    if (close < 0) {
        return 0;
    }
    static const char* const colours[] = {"Black", "Blue",    "Green",  "Cyan",
                                          "Red",   "Magenta", "Yellow", "White"};
    const QStringView name = section.mid(from + 1, close - from - 1);
    for (const char* colour : colours) {
        if (name.compare(QLatin1String(colour), Qt::CaseInsensitive) == 0) {
            return close - from + 1;
        }
    }
    return 0;
}

SectionKind sectionKind(QStringView section)
{
    bool digits = false;
    bool date = false;
    bool placeholders = false;
    bool textOnly = false;
    forEachPatternChar(section, [&](QChar c, bool literal) {
        if (literal) {
            return;
        }
        const QChar lower = c.toLower();
        if (c == QLatin1Char('@') || c == QLatin1Char('&')) {
            placeholders = true;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            digits = true;
        } else if (QStringLiteral("dwmqyhnsct/:").contains(lower)) {
            date = true;
        } else if (QStringLiteral("<>!").contains(c)) {
            textOnly = true;
        }
    });
    // Character placeholders make a text section whatever letters stand beside them
    // ("Name: @" is no date).
    if (placeholders) {
        return SectionKind::Text;
    }
    if (digits) {
        return SectionKind::Number;
    }
    if (date) {
        return SectionKind::Date;
    }
    return textOnly ? SectionKind::Text : SectionKind::Literal;
}

QString literalText(QStringView section)
{
    QString text;
    forEachPatternChar(section, [&text](QChar c, bool) { text += c; });
    return text;
}

} // namespace vb
