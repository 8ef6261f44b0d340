#pragma once

// The floor of the main chain bench: a database brought to a known end state the quickest
// way, in one transaction - each changed table rebuilt under its final definition and filled
// with its final rows, new tables created and filled, indexes and triggers made anew. Nothing
// is computed: the rows are given.

#include "DatabaseState.h"

namespace mainchain {

// Brings the database at `path`, whose state is `before`, to `target`.
void writeEndState(const QString& path, const DatabaseState& before, const DatabaseState& target);

} // namespace mainchain
