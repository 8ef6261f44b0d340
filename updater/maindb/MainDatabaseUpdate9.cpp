// Main Database Update 9 (-> 9): retail outlet names may be 50 characters long.

#include "common/DatabaseVersion.h"
#include "MainDatabaseUpdates.h"
#include "UpdateProgress.h"
#include "updater/RunState.h"

namespace updater {

void MainDatabaseUpdate9(RunState& state)
{
    const bool done = trapUpdateErrors(state, QStringLiteral("MainDatabaseUpdate9"), [&] {
        const maindb::UpdateProgress progress(QStringLiteral("Main Database Update 9"), 1);
        progress.step(1);
        state.connection(DatabaseKind::Main)
            .execute(QStringLiteral(
                "ALTER TABLE tblPICKRetailOutlet ALTER COLUMN [RetailStoreName] TEXT(50)"));
        DatabaseHelpers::SetDBVersion(1, 9);
    });
    if (done)
        MainDatabaseUpdate10(state);
}

} // namespace updater
