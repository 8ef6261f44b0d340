// Settings database update 5: master and owner numbers of working tasting notes, prompts of
// saved queries.

#include "common/SchemaChange.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"

namespace updater {

void SettingsDatabaseUpdate5(RunState& state)
{
    const ChainedUpdate update = settingsUpdate(5, 3);
    runChainedUpdate(
        state, update,
        [&] {
            jet::Connection& settings = settingsConnection(state);
            const QString notes = QStringLiteral("tblWorkingTNs");
            DatabaseHelpers::AddColumnIfMissing(
                settings, notes, DatabaseHelpers::NewColumn::longInteger("MasterID"));
            showStep(update, 2);
            DatabaseHelpers::AddColumnIfMissing(settings, notes,
                                                DatabaseHelpers::NewColumn::longInteger("UserID"));
            showStep(update, 3);
            DatabaseHelpers::AddColumnIfMissing(
                settings, QStringLiteral("tblQueryInfo"),
                DatabaseHelpers::NewColumn::memo("Prompts").withNullable(true).withAllowZeroLength(
                    true));
        },
        SettingsDatabaseUpdate6);
}

} // namespace updater
