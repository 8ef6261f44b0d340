#pragma once

// The main wine database's content at version 3: geography and pick lists, wineries (with
// the duplicates that main database update 6 merges), wines with their old year-only drinking
// windows, purchases and removals, tasting notes, notes and bottle locations.

#include "SampleRandom.h"

#include <QString>

namespace jet {
class Connection;
}

namespace sample {

class LabelPictures;

struct CellarFigures
{
    int wines = 0;
    int wineries = 0;
    int transactions = 0;
    int tastingNotes = 0;
    int labelPictures = 0;
};

// Fills a database made from the "main3" schema script. Call inside one transaction.
CellarFigures writeCellar(jet::Connection& connection, int wineCount, SampleRandom& random,
                          LabelPictures& labels);

} // namespace sample
