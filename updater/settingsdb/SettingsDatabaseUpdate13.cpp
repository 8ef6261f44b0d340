// Settings database update 13: label columns and rows in printlabels.dat back to 16-bit
// integers, and whether fields are cleared after a save.

#include "common/SchemaChange.h"
#include "SatelliteDatabase.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"

namespace updater {

void SettingsDatabaseUpdate13(RunState& state)
{
    const ChainedUpdate update = settingsUpdate(13, 2);
    runChainedUpdate(
        state, update,
        [&] {
            {
                SatelliteDatabase labels(state, QStringLiteral("printlabels.dat"));
                labels.connection().execute(
                    QStringLiteral("ALTER TABLE PrintLabels ALTER COLUMN [Columns] SHORT"));
                labels.connection().execute(
                    QStringLiteral("ALTER TABLE PrintLabels ALTER COLUMN [Rows] SHORT"));
            }
            showStep(update, 2);
            DatabaseHelpers::AddColumnIfMissing(
                settingsConnection(state), QStringLiteral("tblPreferences"),
                DatabaseHelpers::NewColumn::yesNo("ReInitFieldsOnSave"));
        },
        SettingsDatabaseUpdate14);
}

} // namespace updater
