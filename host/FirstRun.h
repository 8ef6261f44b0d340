#pragma once

// A user's first start of the host: no cellar is registered for the user yet (a fresh
// installation of the package). The user chooses, through the shell seam, between the sample
// cellar and an empty one; it is laid out at the current database versions in the user's data
// folder ($XDG_DATA_HOME/quorvex/Cellar), the suite's tools copied into its Tools folder, and
// registered, so that the host and every tool find it from then on.

#include <QString>

namespace host {

enum class FirstRunChoice
{
    SampleCellar,
    EmptyCellar,
    Declined
};

// True when the registry names a cellar (LastDatabase\FullPath), whether or not it exists.
bool cellarRegistered();

// Where a new cellar goes: <data folder>/quorvex/Cellar, or "Cellar 2", "Cellar 3"... when a
// folder of that name is already there and not empty.
QString newCellarFolder();

// Asks the user and lays out the chosen cellar; `programFolder` holds the suite's programs.
// Returns the choice. Raises vb::Error saying what failed when the cellar cannot be written
// (nothing is left registered then).
FirstRunChoice offerNewCellar(const QString& programFolder);

// Takes the wines, wineries, purchases, locations and tasting notes out of the cellar in
// `folder` and removes its label pictures: the pick lists, settings and language stay.
void emptyCellar(const QString& folder);

} // namespace host
