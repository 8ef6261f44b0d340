#pragma once

// The columns of a wine that follow from its other fields and are written with it on every
// save: the combined varieties text, the label flag and the fifteen stage dates of the
// drinking window.

#include "platform/vb/Variant.h"

#include <array>
#include <QString>

namespace stovanic {

inline const QString kUnknownVariety = QStringLiteral("<unknown>");

// "Variety1 - Perc1" and, CR LF-separated, each following slot up to the first one not in use;
// "<unknown>" when the first slot is not in use.
QString combinedVarieties(const std::array<QString, 5>& varieties,
                          const std::array<QString, 5>& shares);

// A wine has a label picture when its pointer is not empty.
bool hasLabel(const QString& wineLabelPointer);

// What the stage dates are computed from: the drinking window's points as "YYYY-MM", the
// vintage, the years to death and the width in months of each transition band.
struct DrinkingWindow
{
    QString vintage;
    QString drinkFrom;
    QString optimal;
    QString peak;
    QString drinkTo;
    qint16 lifeSpan = 1;
    qint16 periodBandwidth = 12;
};

inline constexpr int kStageDateCount = 15;

// The stage-date fields of tblWines from the last stage down to the first, the order of
// stageDates().
extern const std::array<QString, kStageDateCount> kStageDateFields;

// The fifteen stage dates (Dates), from datDead down to datHoldEndSoon. Each point gives three
// dates, its month plus half a band, the month itself and the month less half a band; the death
// point is July of the vintage (or, without a numeric vintage, of the year the window opens)
// plus the life span. Half months are rounded to whole months as VB's DateSerial rounds them
// (half to even), months outside 1 to 12 roll into the neighbouring years. A point that is not
// "YYYY-MM" gives Null dates.
std::array<vb::Variant, kStageDateCount> stageDates(const DrinkingWindow& window);

} // namespace stovanic
