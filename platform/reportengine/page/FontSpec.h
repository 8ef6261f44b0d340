#pragma once

// A font as a report names it: family, size in points and style. Layouts name Arial; on Linux
// fontconfig maps it to the metric-compatible Liberation Sans, so designed widths hold.

#include <QFont>
#include <QString>

namespace report {

struct FontSpec
{
    QString family = QStringLiteral("Arial");
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    // The font sized in twips as pixels (1 pt = 20 twips) and without hinting, so that
    // metrics taken from it are twips and the same text measures the same on every device.
    QFont toTwipFont() const;

    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

} // namespace report
