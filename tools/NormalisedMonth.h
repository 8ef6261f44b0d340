#pragma once

#include <QString>

namespace gorvane {

// A drinking window point typed as year and month in any of the usual ways ("2005", "06-3",
// "1998-13", "200512") in the form the database keeps: "YYYY-MM". A year without a month is
// July; months below 1 become 1 and above 12 become 12; a year of fewer than four characters
// goes through f_4DigitsYear.
QString NormaliseMonth(const QString& yearMonth);

} // namespace gorvane
