#pragma once

// Whether two runs left the same user data: every user table (not MSys*, not sqlite_*) of the
// first is in the second with as many rows, and every column of the first holds the same
// values row by row (rows matched by their INTEGER PRIMARY KEY, else compared in sorted order).
// Numbers compare by value within 1e-6, whether stored as integer or real: SQLite keeps a
// whole number in a NUMERIC column as an integer and in a REAL one as a real, which is no
// difference in the data. Columns stamped with "now" match when both values fall in the run.

#include "DatabaseState.h"

#include <set>
#include <utility>

namespace mainchain {

struct NowStamps
{
    // (table, column) pairs that may hold the moment of the run.
    std::set<std::pair<QString, QString>> columns;
    // The run, as OLE days.
    double from = 0;
    double to = 0;
};

struct Comparison
{
    int tables = 0;
    // The first differences, one line each ("tblWines.Peak row 12: chain ..., raw ...").
    QStringList mismatches;
    int mismatchCount = 0;
};

Comparison compareUserData(const DatabaseState& chain, const DatabaseState& raw,
                           const NowStamps& stamps);

} // namespace mainchain
