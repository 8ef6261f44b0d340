#pragma once

// The update chains: for each database, the update procedure to start with for each version
// that has updates. Each procedure brings the database one version further, writes its own
// number with SetDBVersion and calls the next procedure of its chain itself, so the driver only
// calls the first one. A version with no entry (current, newer, or older than the oldest
// supported) starts no update for that database.

#include "RunState.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace updater {

using UpdateProcedure = std::function<void(RunState&)>;

class UpdateChains
{
public:
    // Registers `first` as the procedure that starts the chain for a database at `version`.
    void add(DatabaseKind kind, std::int16_t version, UpdateProcedure first);
    // The procedure to call for a database at `version`, or nullptr when none applies.
    const UpdateProcedure* firstUpdate(DatabaseKind kind, std::int16_t version) const;

    // The versions these chains know for a database: from the oldest that starts an update to
    // the current one, which the last update brings it to. nullopt when no chain is registered
    // for the kind (then no version is unknown).
    struct VersionRange
    {
        std::int16_t oldest = 0;
        std::int16_t current = 0;
    };
    std::optional<VersionRange> knownVersions(DatabaseKind kind) const;

    // The chains of this release, with their current versions: main wine database 11,
    // settings 18, weblinks 4; the language database has none. Defined in StandardChains.cpp,
    // in the library qv_updater_chains, which links the chains' own libraries.
    static UpdateChains standard();

private:
    std::map<std::pair<DatabaseKind, std::int16_t>, UpdateProcedure> m_first;
};

} // namespace updater
