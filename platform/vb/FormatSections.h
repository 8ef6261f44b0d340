#pragma once

// The parts of a Format pattern: up to four ';'-separated sections (quoted text and
// backslash-escaped characters never split), and what kind of pattern each section is.

#include <QString>
#include <QStringView>
#include <vector>

namespace vb {

enum class SectionKind
{
    Number,  // has a digit placeholder (0 or #)
    Date,    // has date or time placeholders
    Text,    // has string placeholders (@ & < > !)
    Literal, // nothing but literal text
};

std::vector<QString> splitFormatSections(QStringView pattern);
SectionKind sectionKind(QStringView section);

// Calls `visit(QChar c, bool literal)` for each character of a section, with quotes and
// backslashes resolved (literal == true for quoted or escaped characters).
template <typename Visitor>
void forEachPatternChar(QStringView section, Visitor visit)
{
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == QLatin1Char('"')) {
            for (++i; i < section.size() && section[i] != QLatin1Char('"'); ++i) {
                visit(section[i], true);
            }
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < section.size()) {
                visit(section[++i], true);
            }
        } else {
            visit(c, false);
        }
    }
}

} // namespace vb
