#pragma once

// UniqueID: the user's unique number, stamped into the UserID fields of the records the user
// made himself.

#include <cstdint>

namespace DatabaseHelpers {

// Registry section "Application", value "UniqueID" (default "0"), as a 32-bit number. A value
// that is not a whole number in range raises vb::Error 13 naming the value: stamping a made-up
// number into the user's records could not be undone later.
std::int32_t UniqueID();

} // namespace DatabaseHelpers
