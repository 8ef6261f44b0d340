#pragma once

namespace jet {
class Connection;
}

namespace gorvane {

// Gives every wine whose market value is 0 the cost of its last transaction (in the order of
// tblTransactions' primary key) that cost more than 0. Wines without such a transaction keep
// their 0. Returns the number of wines changed.
long long SetZeroMarketValues(jet::Connection& connection);

} // namespace gorvane
