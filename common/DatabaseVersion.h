#pragma once

// The schema version every database keeps in the one row of its table tblDBVer (field
// Version, a 16-bit integer).

#include <cstdint>

namespace jet {
class Connection;
}

namespace DatabaseHelpers {

// The version of the database open on `connection`. A missing table or row, or a Null version,
// raises vb::Error.
std::int16_t ReadDBVersion(jet::Connection& connection);

// Writes `version` into tblDBVer of the run's database of that kind (1 main, 2 settings,
// 3 language, 4 weblinks); any other kind does nothing. A table without its row raises rather
// than pretend the version was written.
void SetDBVersion(int kind, std::int16_t version);

} // namespace DatabaseHelpers
