// Main Database Update 7 (-> 7): the "marked" flag of a wine.

#include "common/DatabaseVersion.h"
#include "common/OpenTable.h"
#include "common/SchemaChange.h"
#include "common/SchemaExistence.h"
#include "jet/adox/Catalog.h"
#include "MainDatabaseUpdates.h"
#include "UpdateProgress.h"
#include "updater/RunState.h"

namespace updater {

void MainDatabaseUpdate7(RunState& state)
{
    const bool done = trapUpdateErrors(state, QStringLiteral("MainDatabaseUpdate7"), [&] {
        const maindb::UpdateProgress progress(QStringLiteral("Main Database Update 7"), 1);
        jet::adox::Catalog catalog;
        DatabaseHelpers::BindCatalog(catalog, state.connection(DatabaseKind::Main));
        progress.step(1);
        DatabaseHelpers::AddColumnIfMissing(catalog,
                                            catalog.tables().item(QStringLiteral("tblWines")),
                                            {QStringLiteral("PreSelect"), jet::DataType::Boolean});
        DatabaseHelpers::SetDBVersion(1, 7);
    });
    if (done)
        MainDatabaseUpdate8(state);
}

} // namespace updater
