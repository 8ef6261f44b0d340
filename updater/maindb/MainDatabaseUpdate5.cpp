// Main Database Update 5 (-> 5): every wine gets a sequential number (oldWineID) with a unique
// index on it, and tblDBVer remembers the highest number as MaxBarcodeID.

#include "common/OpenTable.h"
#include "common/SchemaChange.h"
#include "common/SchemaExistence.h"
#include "jet/adox/Catalog.h"
#include "jet/recordset/Recordset.h"
#include "MainDatabaseUpdates.h"
#include "UpdateProgress.h"
#include "updater/RunState.h"
#include "vb/Error.h"

#include <limits>

namespace updater {

namespace {

const QString procedure = QStringLiteral("MainDatabaseUpdate5");

// The highest number given so far. An empty table has none: numbering starts after 0.
std::int16_t highestWineNumber(jet::Connection& connection)
{
    jet::ResultSet highest = connection.execute(
        QStringLiteral("SELECT Max(tblWines.oldWineID) AS MaxOfoldWineID FROM tblWines;"));
    const vb::Variant value = highest.eof() ? vb::Variant::null() : highest.value(0);
    highest.close();
    return value.isNull() ? std::int16_t{0} : value.toInteger();
}

std::int16_t nextNumber(std::int16_t number, const vb::Variant& wineId)
{
    if (number == std::numeric_limits<std::int16_t>::max())
        throw vb::Error(vb::ErrorNumber::Overflow,
                        QStringLiteral("Overflow: wine %1 cannot be numbered, because the "
                                       "sequential wine numbers (tblWines.oldWineID) would pass "
                                       "32767, the highest number the field holds.")
                            .arg(wineId.toString()),
                        procedure);
    return static_cast<std::int16_t>(number + 1);
}

// Numbers the wines that have none (oldWineID 0) after the highest number.
std::int16_t numberWines(jet::Connection& connection, std::int16_t highest)
{
    const QString unnumbered = QStringLiteral("[oldWineID]=0");
    jet::Recordset wines;
    DatabaseHelpers::OpenTable(wines, connection, QStringLiteral("tblWines"), false);
    if (!wines.eof())
        wines.find(unnumbered);
    while (!wines.eof()) {
        highest = nextNumber(highest, wines.value(QStringLiteral("WineID")));
        wines.setValue(QStringLiteral("oldWineID"), vb::Variant(highest));
        wines.update();
        wines.find(unnumbered, 1, jet::SearchDirection::Forward);
    }
    wines.close();
    return highest;
}

void writeVersion(jet::Connection& connection, std::int16_t highest)
{
    jet::Recordset version;
    DatabaseHelpers::OpenTable(version, connection, QStringLiteral("tblDBVer"), false);
    version.moveFirst();
    version.setValue(QStringLiteral("MaxBarcodeID"), vb::Variant(std::int32_t{highest}));
    version.setValue(QStringLiteral("Version"), vb::Variant(std::int16_t{5}));
    version.update();
    version.close();
}

} // namespace

void MainDatabaseUpdate5(RunState& state)
{
    const bool done = trapUpdateErrors(state, procedure, [&] {
        const maindb::UpdateProgress progress(QStringLiteral("Main Database Update 5"), 5);
        jet::Connection& connection = state.connection(DatabaseKind::Main);

        progress.step(1);
        std::int16_t highest = highestWineNumber(connection);

        progress.step(2);
        highest = numberWines(connection, highest);

        jet::adox::Catalog catalog;
        DatabaseHelpers::BindCatalog(catalog, connection);
        progress.step(3);
        DatabaseHelpers::AddIndexIfMissing(catalog.tables().item(QStringLiteral("tblWines")),
                                           QStringLiteral("oldWineID"),
                                           {QStringLiteral("oldWineID")}, true);

        progress.step(4);
        DatabaseHelpers::AddColumnIfMissing(
            catalog, catalog.tables().item(QStringLiteral("tblDBVer")),
            {QStringLiteral("MaxBarcodeID"), jet::DataType::Integer});

        progress.step(5);
        writeVersion(connection, highest);
    });
    if (done)
        MainDatabaseUpdate6(state);
}

} // namespace updater
