// Settings database update 10: compaction of the databases when the program ends.

#include "common/SchemaChange.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"

namespace updater {

void SettingsDatabaseUpdate10(RunState& state)
{
    runChainedUpdate(
        state, settingsUpdate(10, 1),
        [&] {
            DatabaseHelpers::AddColumnIfMissing(settingsConnection(state),
                                                QStringLiteral("tblPreferences"),
                                                DatabaseHelpers::NewColumn::yesNo("TovrakOnExit"));
        },
        SettingsDatabaseUpdate11);
}

} // namespace updater
