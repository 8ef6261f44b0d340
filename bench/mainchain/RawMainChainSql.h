#pragma once

// The longer SQLite texts of the hand-written main chain: the stage dates statement, the first
// and last dates statement, and the stored queries CalcDHI, CurrentQuery and ReverseQuery as
// SQLite views. Each is the updater's Jet text written as one would in SQLite: IIf as CASE,
// & as || with Null read as "", the chained bytDHI aliases spelt out, DISTINCTROW as DISTINCT;
// the views take their joins and conditions from the updater's texts, which SQLite reads as
// they stand.

#include <QString>

namespace mainchain {

// Varieties, HasLabel and the fifteen stage dates of every wine (uses dateserial and vbval).
QString rawStageDatesStatement();
// Each wine's first and last purchase, removal and tasting note dates.
QString rawFirstLastDatesStatement();
QString rawCalcDhiView();
QString rawCurrentQueryView();
QString rawReverseQueryView();

} // namespace mainchain
