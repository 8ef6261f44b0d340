#pragma once

// The settings database's content at version 3 (preferences, saved queries with their
// conditions, grid column captions, exchange rates, working tasting notes, auction data) and
// the two satellite databases beside it, printlabels.dat and Auctions.dat.

#include "SampleRandom.h"

namespace jet {
class Connection;
}

namespace sample {

// Into a database made from the "settings3" script; wineCount bounds the wine keys that the
// working tasting notes refer to.
void writeSettings(jet::Connection& connection, int wineCount, SampleRandom& random);
// Into a database made from the "printlabels" script.
void writePrintLabels(jet::Connection& connection);
// Into a database made from the "auctions" script: only its version row.
void writeAuctions(jet::Connection& connection);

} // namespace sample
