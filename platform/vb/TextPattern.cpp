#include "TextPattern.h"

#include "FormatSections.h"

#include <algorithm>
#include <vector>

namespace vb {

namespace {

struct Element
{
    bool placeholder;
    QChar c; // '@' or '&' for placeholders, else the literal character
};

} // namespace

QString TextPattern::format(QStringView section, const QString& text)
{
    std::vector<Element> elements;
    bool lower = false;
    bool upper = false;
    bool leftToRight = false;
    forEachPatternChar(section, [&](QChar c, bool literal) {
        if (!literal && (c == QLatin1Char('@') || c == QLatin1Char('&'))) {
            elements.push_back({true, c});
        } else if (!literal && c == QLatin1Char('<')) {
            lower = true;
        } else if (!literal && c == QLatin1Char('>')) {
            upper = true;
        } else if (!literal && c == QLatin1Char('!')) {
            leftToRight = true;
        } else {
            elements.push_back({false, c});
        }
    });
    const QString source = upper ? text.toUpper() : lower ? text.toLower() : text;
    const auto placeholders = static_cast<qsizetype>(std::count_if(
        elements.begin(), elements.end(), [](const Element& e) { return e.placeholder; }));
    if (placeholders == 0) {
        QString out = source;
        for (const Element& e : elements) {
            out += e.c;
        }
        return out;
    }

    // Which source character each placeholder shows: right-aligned by default.
    const qsizetype extra = std::max<qsizetype>(0, source.size() - placeholders);
    const qsizetype offset = leftToRight ? 0 : source.size() - placeholders;
    QString out;
    qsizetype index = 0;
    for (const Element& e : elements) {
        if (!e.placeholder) {
            out += e.c;
            continue;
        }
        if (!leftToRight && index == 0 && extra > 0) {
            out += source.left(extra);
        }
        const qsizetype at = index + offset;
        if (at >= 0 && at < source.size()) {
            out += source[at];
        } else if (e.c == QLatin1Char('@')) {
            out += QLatin1Char(' ');
        }
        ++index;
        if (leftToRight && index == placeholders && extra > 0) {
            out += source.mid(placeholders);
        }
    }
    return out;
}

} // namespace vb
