#pragma once

#include <QString>

namespace gorvane {

// The four-digit form of a year typed with fewer digits: up to 39 is 20xx, 40 to 99 is 19xx,
// 100 to 599 is 2xxx, 600 to 999 is 1xxx. Text that is not a number counts as "0" (2000); a
// year of 1000 or more comes back as typed.
QString f_4DigitsYear(const QString& sYear);

} // namespace gorvane
