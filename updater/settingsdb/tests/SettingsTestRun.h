#pragma once

// Runs the settings chain from the version the installation's database holds.

#include "SettingsTestInstallation.h"
#include "updater/settingsdb/SettingsDatabaseUpdates.h"
#include "updater/UpdateChains.h"

namespace updater::testing {

inline void runSettingsChain(SettingsTestInstallation& install)
{
    UpdateChains chains;
    addSettingsDatabaseChain(chains);
    const UpdateProcedure* first =
        chains.firstUpdate(DatabaseKind::Settings, static_cast<std::int16_t>(install.version()));
    if (first != nullptr)
        (*first)(install.state());
}

} // namespace updater::testing
