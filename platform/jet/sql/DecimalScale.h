#pragma once

// How a Decimal field keeps its scale: digits past it are cut off, not rounded, and the
// number is read as its shortest decimal text first, so 1.15 stays 1.15 and does not become
// 1.14 through the binary fraction below it.

namespace jet::sql {

double truncateToScale(double value, int scale);

} // namespace jet::sql
