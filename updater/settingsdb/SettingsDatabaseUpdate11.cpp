// Settings database update 11: when a working tasting note last changed.

#include "common/SchemaChange.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"

namespace updater {

void SettingsDatabaseUpdate11(RunState& state)
{
    runChainedUpdate(
        state, settingsUpdate(11, 1),
        [&] {
            DatabaseHelpers::AddColumnIfMissing(settingsConnection(state),
                                                QStringLiteral("tblWorkingTNs"),
                                                DatabaseHelpers::NewColumn::dateTime("LastModif"));
        },
        SettingsDatabaseUpdate12);
}

} // namespace updater
