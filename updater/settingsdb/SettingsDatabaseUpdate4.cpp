// Settings database update 4: the editing and sharing preferences.

#include "common/OpenTable.h"
#include "common/SchemaChange.h"
#include "FirstRow.h"
#include "jet/recordset/Recordset.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"

namespace updater {

void SettingsDatabaseUpdate4(RunState& state)
{
    const ChainedUpdate update = settingsUpdate(4, 5);
    runChainedUpdate(
        state, update,
        [&] {
            jet::Connection& settings = settingsConnection(state);
            const QString preferences = QStringLiteral("tblPreferences");
            DatabaseHelpers::AddColumnIfMissing(
                settings, preferences, DatabaseHelpers::NewColumn::yesNo("DoubleClickEdit"));
            showStep(update, 2);
            DatabaseHelpers::AddColumnIfMissing(
                settings, preferences, DatabaseHelpers::NewColumn::yesNo("NeverAskSharing"));
            showStep(update, 3);
            DatabaseHelpers::AddColumnIfMissing(
                settings, preferences, DatabaseHelpers::NewColumn::yesNo("AutoApplyProfile"));
            showStep(update, 4);
            DatabaseHelpers::AddColumnIfMissing(
                settings, preferences,
                DatabaseHelpers::NewColumn::smallInteger("DefaultVintageDelta"));
            showStep(update, 5);
            // The preferences are one row: the first one is the user's.
            jet::Recordset rows;
            DatabaseHelpers::OpenTable(rows, settings, preferences, false);
            requireFirstRow(rows, settings, preferences);
            rows.setValue(QStringLiteral("DoubleClickEdit"), false);
            rows.setValue(QStringLiteral("NeverAskSharing"), false);
            rows.setValue(QStringLiteral("AutoApplyProfile"), false);
            rows.setValue(QStringLiteral("DefaultVintageDelta"), std::int16_t{1});
            rows.update();
            rows.close();
        },
        SettingsDatabaseUpdate5);
}

} // namespace updater
