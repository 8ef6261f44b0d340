// Settings database update 8: the size of drop-down lists can be kept.

#include "common/SchemaChange.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"

namespace updater {

void SettingsDatabaseUpdate8(RunState& state)
{
    runChainedUpdate(
        state, settingsUpdate(8, 1),
        [&] {
            DatabaseHelpers::AddColumnIfMissing(settingsConnection(state),
                                                QStringLiteral("tblPreferences"),
                                                DatabaseHelpers::NewColumn::yesNo("SaveComboSize"));
        },
        SettingsDatabaseUpdate9);
}

} // namespace updater
