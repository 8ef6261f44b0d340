// Settings database update 18: the auction data moves to its own database, Auctions.dat.

#include "common/OpenTable.h"
#include "common/ShowProgress.h"
#include "ConnectionTransaction.h"
#include "jet/recordset/Recordset.h"
#include "platform/shell/Shell.h"
#include "SatelliteDatabase.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"

#include <array>

namespace updater {

namespace {

const QString auctionTable = QStringLiteral("tblAuctionData");

void copyAuctionRows(jet::Connection& settings, jet::Connection& auctions)
{
    static const std::array<QString, 6> fields{
        QStringLiteral("EntryDate"),  QStringLiteral("Value"),   QStringLiteral("NbrBottles"),
        QStringLiteral("BottleType"), QStringLiteral("Vintage"), QStringLiteral("Description")};
    jet::Recordset from;
    DatabaseHelpers::OpenTable(from, settings, auctionTable, true);
    jet::Recordset to;
    DatabaseHelpers::OpenTable(to, auctions, auctionTable, false);
    while (!from.eof()) {
        to.addNew();
        for (const QString& field : fields)
            to.setValue(field, from.value(field));
        to.update();
        shell::doEvents();
        from.moveNext();
    }
    to.close();
    from.close();
}

void moveAuctionData(RunState& state)
{
    DatabaseHelpers::ShowProgress(
        2, QStringLiteral("Moving auction data - this may take several minutes"), 2);
    SatelliteDatabase auctions(state, QStringLiteral("Auctions.dat"));
    jet::Connection& settings = settingsConnection(state);

    // Both sides change together: a failure part-way leaves Auctions.dat without the copies
    // (a second attempt would add them twice) and the settings database with its rows.
    ConnectionTransaction emptied(settings);
    ConnectionTransaction filled(auctions.connection());
    copyAuctionRows(settings, auctions.connection());
    settings.execute(QStringLiteral("DELETE tblAuctionData.* FROM tblAuctionData;"));
    // The copies are kept before the originals go.
    filled.commit();
    emptied.commit();
}

} // namespace

void SettingsDatabaseUpdate18(RunState& state)
{
    runChainedUpdate(
        state, settingsUpdate(18, 2), [&] { moveAuctionData(state); }, nullptr);
}

} // namespace updater
