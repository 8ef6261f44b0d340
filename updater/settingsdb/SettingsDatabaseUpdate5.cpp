// Settings database update 5: master and owner numbers of working tasting notes, prompts of
// saved queries.

#include "NewColumn.h"
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
            addColumnIfMissing(settings, notes, NewColumn::longInteger("MasterID"));
            showStep(update, 2);
            addColumnIfMissing(settings, notes, NewColumn::longInteger("UserID"));
            showStep(update, 3);
            addColumnIfMissing(
                settings, QStringLiteral("tblQueryInfo"),
                NewColumn::memo("Prompts").withNullable(true).withAllowZeroLength(true));
        },
        SettingsDatabaseUpdate6);
}

} // namespace updater
