// FontSpec: the report font as a QFont sized in twips.

#include "platform/reportengine/page/FontSpec.h"

#include "platform/reportengine/Twips.h"

#include <QtMath>

namespace report {

QFont FontSpec::toTwipFont() const
{
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(pointSize * kTwipsPerPoint)));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    // Hinting snaps glyphs to the pixels of one device; without it the advances are the
    // font's own, so a width measured here is the width on paper and on screen alike.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace report
