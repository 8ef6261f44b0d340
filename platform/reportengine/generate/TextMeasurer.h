#pragma once

// Breaks a text into the lines a box of a given width shows, with real font metrics in twips.
// The generator measures once; every output draws these lines as they are.

#include "platform/reportengine/page/FontSpec.h"

#include <memory>
#include <QHash>
#include <QString>
#include <QStringList>

class QFontMetricsF;

namespace report {

struct MeasuredText
{
    QStringList lines;
    int lineHeight = 0;
    int height() const noexcept { return static_cast<int>(lines.size()) * lineHeight; }
};

class TextMeasurer
{
public:
    TextMeasurer();
    ~TextMeasurer();
    TextMeasurer(const TextMeasurer&) = delete;
    TextMeasurer& operator=(const TextMeasurer&) = delete;

    // Lines of `text` (CR LF, CR and LF all break lines) in a box `width` twips wide; with
    // wordWrap false only the text's own line breaks count. An empty text has no lines.
    MeasuredText measure(const QString& text, const FontSpec& font, int width, bool wordWrap);
    // The height of one line of `font`, in twips.
    int lineHeight(const FontSpec& font);

private:
    struct FontEntry;
    FontEntry& entry(const FontSpec& font);

    QHash<QString, std::shared_ptr<FontEntry>> m_fonts;
    FontSpec m_lastSpec;
    FontEntry* m_last = nullptr;
};

} // namespace report
