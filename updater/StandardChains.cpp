// The update chains this release ships. Kept apart from the driver's library because each
// chain's library builds on the driver's run state.

#include "maindb/MainDatabaseUpdates.h"
#include "settingsdb/SettingsDatabaseUpdates.h"
#include "UpdateChains.h"
#include "weblinksdb/WebLinksDatabaseUpdates.h"

namespace updater {

UpdateChains UpdateChains::standard()
{
    UpdateChains chains;
    addMainDatabaseChain(chains);     // main wine database 3..10 -> 11
    addSettingsDatabaseChain(chains); // settings database 3..17 -> 18
    addWebLinksDatabaseChain(chains); // weblinks database 1..3 -> 4
    return chains;
}

} // namespace updater
