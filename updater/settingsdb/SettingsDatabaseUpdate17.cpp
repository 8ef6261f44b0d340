// Settings database update 17: drinking windows can count from July.

#include "common/SchemaChange.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"

namespace updater {

void SettingsDatabaseUpdate17(RunState& state)
{
    runChainedUpdate(
        state, settingsUpdate(17, 1),
        [&] {
            DatabaseHelpers::AddColumnIfMissing(
                settingsConnection(state), QStringLiteral("tblPreferences"),
                DatabaseHelpers::NewColumn::yesNo("DrinkMonthToJuly"));
        },
        SettingsDatabaseUpdate18);
}

} // namespace updater
