#pragma once

// Sums are stored in the cellar's storage currency (tblDBVer.StorageCurrencyCode of the main
// wine database) and shown in the user's display currency (tblPreferences.DisplayCurrencyCode
// of the settings database). tblExchangeRates of the settings database holds each currency's
// rate against the US dollar (units of the currency for one dollar).

#include <QString>

namespace jet {
class Connection;
}

namespace host {

// What one unit of the storage currency is in the display currency: 1 when the two are the
// same or no display currency is set. Raises vb::Error naming the currency whose rate is
// missing or 0.
double displayCurrencyFactor(jet::Connection& mainDatabase, jet::Connection& settingsDatabase);

// A number as SQL writes it: full stop, no grouping, no exponent, whatever the user's locale.
QString sqlNumber(double value);

} // namespace host
