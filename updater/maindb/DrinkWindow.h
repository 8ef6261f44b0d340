#pragma once

// The drinking window conversion of main database update 10: the three old year fields of a
// wine (From, Best, To) become four month-precise points and a life span, and the three old
// year offsets of a drink profile become four month offsets and a life span. How the old values
// translate is chosen by the drink window code 1..8 the user's answers gave.

#include "vb/Variant.h"

#include <cstdint>
#include <optional>
#include <QString>

namespace updater::maindb {

// A wine's new drinking window: the points as "YYYY-MM" texts and the life span in years.
struct WineWindow
{
    QString drinkFrom;
    QString optimal;
    QString peak;
    QString drinkTo;
    std::int16_t lifeSpan = 0;
};

// Converts a wine's old fields (texts holding years; the vintage may be empty). nullopt when
// the three old fields do not all hold a year: such a wine gets no drinking window rather than
// one made up from missing or unreadable years. A vintage that is not a year counts as empty.
// Raises vb::Error 5 for a code outside 1..8.
std::optional<WineWindow> convertWineWindow(std::uint8_t code, const vb::Variant& drinkFrom,
                                            const vb::Variant& optimal, const vb::Variant& drinkTo,
                                            const vb::Variant& vintage);

// A drink profile's new offsets: months from the vintage, and the life span in years.
struct ProfileDeltas
{
    std::int16_t deltaFrom = 0;
    std::int16_t deltaBest = 0;
    std::int16_t deltaPeak = 0;
    std::int16_t deltaTo = 0;
    std::int16_t lifeSpan = 0;
};

// Converts a drink profile's old year offsets. Raises vb::Error 5 for a code outside 1..8 and
// vb::Error 6 (overflow) when an offset in months no longer fits a 16-bit field.
ProfileDeltas convertDrinkProfile(std::uint8_t code, std::int16_t deltaFrom, std::int16_t deltaBest,
                                  std::int16_t deltaTo);

// The year a text holds: a whole number from 1 to 9999, blanks around it allowed.
std::optional<int> yearOfText(const vb::Variant& text);

// "YYYY-MM" of a date (OLE days).
QString monthPoint(double date);

} // namespace updater::maindb
