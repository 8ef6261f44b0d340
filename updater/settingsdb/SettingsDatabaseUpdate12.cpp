// Settings database update 12: the last barcode use, and wider label columns and rows in
// printlabels.dat.

#include "common/OpenTable.h"
#include "common/SchemaChange.h"
#include "FirstRow.h"
#include "jet/recordset/Recordset.h"
#include "SatelliteDatabase.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"

namespace updater {

void SettingsDatabaseUpdate12(RunState& state)
{
    const ChainedUpdate update = settingsUpdate(12, 2);
    runChainedUpdate(
        state, update,
        [&] {
            jet::Connection& settings = settingsConnection(state);
            const QString preferences = QStringLiteral("tblPreferences");
            DatabaseHelpers::AddColumnIfMissing(
                settings, preferences,
                DatabaseHelpers::NewColumn::text("LastBarcodeUse", 8)
                    .withNullable(true)
                    .withAllowZeroLength(true));
            showStep(update, 2);
            jet::Recordset rows;
            DatabaseHelpers::OpenTable(rows, settings, preferences, false);
            requireFirstRow(rows, settings, preferences);
            rows.setValue(QStringLiteral("LastBarcodeUse"), QStringLiteral("0"));
            rows.update();
            rows.close();

            SatelliteDatabase labels(state, QStringLiteral("printlabels.dat"));
            labels.connection().execute(
                QStringLiteral("ALTER TABLE PrintLabels ALTER COLUMN [Columns] INTEGER"));
            labels.connection().execute(
                QStringLiteral("ALTER TABLE PrintLabels ALTER COLUMN [Rows] INTEGER"));
        },
        SettingsDatabaseUpdate13);
}

} // namespace updater
