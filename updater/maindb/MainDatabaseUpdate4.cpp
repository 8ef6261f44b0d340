// Main Database Update 4 (version 3 -> 4): the alias tables of the geography and the unique
// index they relate to. Everything is created without testing for it first.

#include "common/OpenTable.h"
#include "common/SchemaChange.h"
#include "common/SchemaExistence.h"
#include "jet/adox/Catalog.h"
#include "jet/recordset/Recordset.h"
#include "MainDatabaseUpdates.h"
#include "UpdateProgress.h"
#include "updater/RunState.h"

namespace updater {

namespace {

using jet::DataType;
using jet::adox::Key;
using jet::adox::KeyType;
using jet::adox::Rule;

// An alias table: its columns, then (once appended) its primary key and the foreign key
// "foreignKey" from LocalID to the table the aliases name, cascading updates and deletes.
void createAliasTable(jet::adox::Catalog& catalog, const QString& name,
                      const QStringList& keyColumns, const QString& foreignKey,
                      const QString& relatedTable, const QString& relatedColumn)
{
    jet::adox::Table table(name);
    table.columns().append(QStringLiteral("Alias"), DataType::VarWChar, 30);
    if (keyColumns.contains(QStringLiteral("CountryID")))
        table.columns().append(QStringLiteral("CountryID"), DataType::Integer);
    table.columns().append(QStringLiteral("LocalID"), DataType::Integer);
    jet::adox::Table& created = catalog.tables().append(table);

    Key primary(QStringLiteral("PrimaryKey"), KeyType::Primary);
    for (const QString& column : keyColumns)
        primary.columns().append(column);
    created.keys().append(primary);

    Key related(foreignKey, KeyType::Foreign);
    related.setRelatedTable(relatedTable);
    related.columns().append(QStringLiteral("LocalID"), relatedColumn);
    related.setUpdateRule(Rule::Cascade);
    related.setDeleteRule(Rule::Cascade);
    created.keys().append(related);
}

void writeVersion(jet::Connection& connection)
{
    jet::Recordset version;
    DatabaseHelpers::OpenTable(version, connection, QStringLiteral("tblDBVer"), false);
    version.moveFirst();
    version.setValue(QStringLiteral("Version"), vb::Variant(std::int16_t{4}));
    version.update();
    version.close();
}

} // namespace

void MainDatabaseUpdate4(RunState& state)
{
    const bool done = trapUpdateErrors(state, QStringLiteral("MainDatabaseUpdate4"), [&] {
        const maindb::UpdateProgress progress(QStringLiteral("Main Database Update 4"), 4);
        jet::Connection& connection = state.connection(DatabaseKind::Main);
        jet::adox::Catalog catalog;
        DatabaseHelpers::BindCatalog(catalog, connection);

        progress.step(1);
        createAliasTable(catalog, QStringLiteral("tblCountryAliases"), {QStringLiteral("Alias")},
                         QStringLiteral("CountryID"), QStringLiteral("tblPICKCountry"),
                         QStringLiteral("CountryID"));

        progress.step(2);
        jet::adox::Index stateRegion(QStringLiteral("StateRegionID"));
        stateRegion.columns().append(QStringLiteral("StateRegionID"));
        stateRegion.setUnique(true);
        catalog.tables().item(QStringLiteral("tblPICKRegion")).indexes().append(stateRegion);

        progress.step(3);
        createAliasTable(catalog, QStringLiteral("tblRegionAliases"),
                         {QStringLiteral("Alias"), QStringLiteral("CountryID")},
                         QStringLiteral("RegionID"), QStringLiteral("tblPICKRegion"),
                         QStringLiteral("StateRegionID"));

        progress.step(4);
        createAliasTable(catalog, QStringLiteral("tblAppellationAliases"),
                         {QStringLiteral("Alias")}, QStringLiteral("AppellationID"),
                         QStringLiteral("tblPICKAppellation"), QStringLiteral("AppellationID"));

        writeVersion(connection);
    });
    if (done)
        MainDatabaseUpdate5(state);
}

} // namespace updater
