#pragma once

// The SQL texts of the main database updates that are longer than a line: the statement that
// fills the stage dates, the one that reads the first and last dates of every wine, and the
// stored queries CalcDHI, CurrentQuery and ReverseQuery. The texts are Jet SQL exactly as the
// program has always stored and run them.

#include <QString>
#include <QStringList>

namespace updater::maindb {

// Fills Varieties, HasLabel and the fifteen stage dates of every wine (update 10).
QString stageDatesStatement();
// Each wine's id with its first and last purchase, removal and tasting note dates (update 10).
QString firstLastDatesStatement();
// The drink/hold indicator of every wine (stored query CalcDHI).
QString calcDhiQuery();
// The wines of the current selection with winery address and indicator (CurrentQuery).
QString currentQuery();
// The wines that are not in the current selection (ReverseQuery).
QString reverseQuery();

// The fifteen stage-date fields of tblWines, from the first stage (bit 0 of the indicator) to
// the last.
const QStringList& stageDateFields();

} // namespace updater::maindb
