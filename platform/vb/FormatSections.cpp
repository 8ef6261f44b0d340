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

SectionKind sectionKind(QStringView section)
{
    bool digits = false;
    bool date = false;
    bool text = false;
    forEachPatternChar(section, [&](QChar c, bool literal) {
        if (literal) {
            return;
        }
        const QChar lower = c.toLower();
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            digits = true;
        } else if (QStringLiteral("dwmqyhnsc/:").contains(lower)) {
            date = true;
        } else if (QStringLiteral("@&<>!").contains(c)) {
            text = true;
        }
    });
    if (digits) {
        return SectionKind::Number;
    }
    if (date) {
        return SectionKind::Date;
    }
    return text ? SectionKind::Text : SectionKind::Literal;
}

} // namespace vb
