#pragma once

// The main database's updates 4 to 11 written by hand against SQLite: the same schema and data
// work as the updater's chain, done with sqlite3 statements and plain C++ - ALTER TABLE ADD
// COLUMN, SQLite's table rebuild for a changed column type, UPDATE and INSERT statements and
// prepared statements in loops - and the same pure computations (the drink window conversion,
// VB's date functions). Stored queries become SQLite views.

#include <cstdint>
#include <QString>

namespace mainchain {

// What the chain asks the user or reads from the registry, given as constants.
struct RawChainAnswers
{
    std::uint8_t drinkWindowCode = 0;
    std::int32_t uniqueId = 0;
};

// Brings the version 3 main database at `mainPath` to version 11, reading the settings
// database at `settingsPath`.
void runRawMainChain(const QString& mainPath, const QString& settingsPath,
                     const RawChainAnswers& answers);

} // namespace mainchain
