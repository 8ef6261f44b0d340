#pragma once

namespace jet {
class Connection;
}

namespace gorvane {

// Moves transaction and tasting note dates from 1900 to 1905 (typed with two-digit years and
// read as 19xx) one hundred years on, by adding 36525 days. Returns the number of rows moved.
long long FixY2KDates(jet::Connection& connection);

} // namespace gorvane
