#pragma once

// The work table of the locations report: each wine of tblReportSource with its bottle
// locations, one row of tblLocationReport (settings database) per location line - the wine's
// title, the location, the bottles there and the key text "<oldWineID>$$<location>". The rows
// of one run are written in one transaction: a run that fails leaves the table as it found it.
// Empty lines add no row; a wine that is not found, or has no locations ("" or "<unknown>"),
// adds none either.

#include <QString>

namespace jet {
class Connection;
}

namespace reports {
class CommonTools;
class NumberedTexts;
class RecordsetHelper;
} // namespace reports

namespace stovanic {

struct LocationReportSources
{
    reports::CommonTools& commonTools;
    reports::RecordsetHelper& recordsets;
    reports::NumberedTexts& sqlTexts;
    jet::Connection& mainDatabase;     // tblReportSource, tblWines, tblDBVer
    jet::Connection& settingsDatabase; // tblLocationReport
};

// Adds the rows; returns how many. A line the host cannot read raises vb::Error naming the
// wine and the line.
int fillLocationReport(const LocationReportSources& sources);

// The lines of a bottle-locations text, CR LF-separated; the last line needs no CR LF, and
// empty lines are left out.
QStringList locationLines(const QString& bottleLocations);

} // namespace stovanic
