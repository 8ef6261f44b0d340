// Settings database update 9: auction prices no longer fit a 16-bit integer.

#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"

namespace updater {

void SettingsDatabaseUpdate9(RunState& state)
{
    runChainedUpdate(
        state, settingsUpdate(9, 1),
        [&] {
            settingsConnection(state).execute(
                QStringLiteral("ALTER TABLE tblAuctionData ALTER COLUMN [Value] LONG"));
        },
        SettingsDatabaseUpdate10);
}

} // namespace updater
