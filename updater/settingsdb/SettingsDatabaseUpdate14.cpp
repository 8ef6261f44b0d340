// Settings database update 14: the column filters of grid layouts, tblLayoutFilter.

#include "common/SchemaChange.h"
#include "common/SchemaExistence.h"
#include "jet/adox/Catalog.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"

#include <memory>

namespace updater {

namespace {

void createLayoutFilterTable(jet::Connection& settings)
{
    const QString name = QStringLiteral("tblLayoutFilter");
    jet::adox::Catalog catalog;
    catalog.setActiveConnection(settings.connectionString());

    // A partly made table from an earlier attempt is completed rather than made again.
    std::unique_ptr<jet::adox::Table> created;
    jet::adox::Table* table = nullptr;
    if (DatabaseHelpers::TableExists(catalog, name)) {
        table = &catalog.tables().item(name);
    } else {
        created = std::make_unique<jet::adox::Table>(name);
        table = created.get();
    }
    DatabaseHelpers::AddColumnIfMissing(catalog, *table,
                                        DatabaseHelpers::NewColumn::text("LayoutName", 30)
                                            .withNullable(false)
                                            .withAllowZeroLength(false));
    DatabaseHelpers::AddColumnIfMissing(
        catalog, *table,
        DatabaseHelpers::NewColumn::smallInteger("ColumnIndex").withNullable(false));
    DatabaseHelpers::AddColumnIfMissing(catalog, *table,
                                        DatabaseHelpers::NewColumn::text("FilterText", 255)
                                            .withNullable(false)
                                            .withAllowZeroLength(false));
    if (created)
        table = &catalog.tables().append(*created);

    // Appended to an existing table too: a table that has its key already fails here.
    jet::adox::Key key(QStringLiteral("PrimaryKey"), jet::adox::KeyType::Primary);
    key.columns().append(QStringLiteral("LayoutName"));
    key.columns().append(QStringLiteral("ColumnIndex"));
    table->keys().append(key);
}

} // namespace

void SettingsDatabaseUpdate14(RunState& state)
{
    runChainedUpdate(
        state, settingsUpdate(14, 1), [&] { createLayoutFilterTable(settingsConnection(state)); },
        SettingsDatabaseUpdate15);
}

} // namespace updater
