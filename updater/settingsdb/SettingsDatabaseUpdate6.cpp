// Settings database update 6: the import and geography preferences; the last selected query
// starts again from none.

#include "common/Registry_Management.h"
#include "common/SchemaChange.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"
#include "vb/Error.h"

namespace updater {

namespace {

void resetLastSelectedQuery()
{
    const QString section = QStringLiteral("LastSelections");
    const reg::Status status = Registry_Management::SaveProductSetting(
        reg::HKEY_CURRENT_USER, section, QStringLiteral("QueryID"), QStringLiteral("0"));
    // The host reads this value at its next start; a write that did not happen must not pass
    // as done.
    if (status != reg::ERROR_SUCCESS)
        throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                        QStringLiteral("The registry value \"QueryID\" under \"%1\" could not be "
                                       "written (status %2).")
                            .arg(section)
                            .arg(status));
}

} // namespace

void SettingsDatabaseUpdate6(RunState& state)
{
    const ChainedUpdate update = settingsUpdate(6, 5);
    runChainedUpdate(
        state, update,
        [&] {
            jet::Connection& settings = settingsConnection(state);
            const QString preferences = QStringLiteral("tblPreferences");
            DatabaseHelpers::AddColumnIfMissing(
                settings, preferences, DatabaseHelpers::NewColumn::yesNo("NeverImportConflicts"));
            showStep(update, 2);
            DatabaseHelpers::AddColumnIfMissing(
                settings, preferences, DatabaseHelpers::NewColumn::yesNo("AlwaysAcceptGeoChanges"));
            showStep(update, 3);
            DatabaseHelpers::AddColumnIfMissing(
                settings, preferences, DatabaseHelpers::NewColumn::yesNo("AlwaysRefuseGeoChanges"));
            showStep(update, 4);
            DatabaseHelpers::AddColumnIfMissing(
                settings, preferences, DatabaseHelpers::NewColumn::yesNo("SetUnknownAppellation"));
            showStep(update, 5);
            resetLastSelectedQuery();
        },
        SettingsDatabaseUpdate7);
}

} // namespace updater
