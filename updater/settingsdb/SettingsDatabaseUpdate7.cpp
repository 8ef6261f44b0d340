// Settings database update 7: the tip of the day can be turned off.

#include "common/SchemaChange.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"

namespace updater {

void SettingsDatabaseUpdate7(RunState& state)
{
    runChainedUpdate(
        state, settingsUpdate(7, 1),
        [&] {
            DatabaseHelpers::AddColumnIfMissing(
                settingsConnection(state), QStringLiteral("tblPreferences"),
                DatabaseHelpers::NewColumn::yesNo("DoNotShowTipAtStartup"));
        },
        SettingsDatabaseUpdate8);
}

} // namespace updater
