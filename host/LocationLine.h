#pragma once

// A stored bottle-location line. A wine's BottleLocations holds one line per place its bottles
// lie, lines separated by CR LF; each line is
//     <location> (<count>)
// the place as the user names it (any text, commas and parentheses included), one blank, and
// the number of bottles there in parentheses as decimal digits: "Rack A, Bin 12 (3)",
// "Off-site storage, Box 4 (12)". The count is a 16-bit number (0 to 32767).

#include <QString>

namespace host {

struct LocationLine
{
    QString location;
    qint16 quantity = 0;
};

// Raises vb::Error (13, type mismatch) naming the line when it is not of the form above or its
// count does not fit 16 bits.
LocationLine parseLocationLine(const QString& line);

QString formatLocationLine(const QString& location, qint16 quantity);

} // namespace host
