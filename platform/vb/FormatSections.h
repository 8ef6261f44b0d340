#pragma once

// The parts of a Format pattern: up to four ';'-separated sections (quoted text and
// backslash-escaped characters never split), and what kind of pattern each section is.
// Format gives plain text, so what only a display can show is left out of it: a colour
// ("[Red]") and a fill character ("*-" fills the width of a box Format does not have).

#include <QString>
#include <QStringView>
#include <vector>

namespace vb {

enum class SectionKind
{
    Number,  // has a digit placeholder (0 or #)
    Date,    // has date or time placeholders
    Text,    // has character placeholders (@ &), or only < > ! beside literal text
    Literal, // nothing but literal text
};

std::vector<QString> splitFormatSections(QStringView pattern);
SectionKind sectionKind(QStringView section);

// The characters a section shows when it has no placeholders.
QString literalText(QStringView section);

// The length of the colour name in brackets at `from` ("[Red]" gives 5), 0 when there is none.
qsizetype colourLength(QStringView section, qsizetype from);

// Calls `visit(QChar c, bool literal)` for each character of a section, with quotes and
// backslashes resolved (literal == true for quoted or escaped characters); colours and fill
// characters are skipped.
template <typename Visitor>
void forEachPatternChar(QStringView section, Visitor visit)
{
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == QLatin1Char('*')) {
            ++i; // the fill character
        } else if (const qsizetype colour = colourLength(section, i); colour > 0) {
            i += colour - 1;
        } else if (c == QLatin1Char('"')) {
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
