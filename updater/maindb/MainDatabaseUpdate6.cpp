// Main Database Update 6 (-> 6): wineries and tasting notes get an owner (UserID) beside their
// master number, wineries entered more than once are merged, and the pair (UserID, MasterID)
// becomes unique in both tables.

#include "BusyRetry.h"
#include "common/DatabaseConnection.h"
#include "common/DatabaseVersion.h"
#include "common/OpenTable.h"
#include "common/SchemaChange.h"
#include "common/SchemaExistence.h"
#include "common/UniqueID.h"
#include "jet/adox/Catalog.h"
#include "jet/recordset/Recordset.h"
#include "MainDatabaseUpdates.h"
#include "platform/shell/Shell.h"
#include "UpdateProgress.h"
#include "updater/RunState.h"

#include <memory>
#include <QList>

namespace updater {

namespace {

using DatabaseHelpers::NewColumn;
using jet::DataType;

const QString masterIndex = QStringLiteral("MasterID");

void addOwnerColumns(jet::adox::Catalog& catalog, const QString& table)
{
    jet::adox::Table& owners = catalog.tables().item(table);
    DatabaseHelpers::AddColumnIfMissing(catalog, owners,
                                        NewColumn{QStringLiteral("UserID"), DataType::Integer});
    DatabaseHelpers::AddColumnIfMissing(catalog, owners,
                                        NewColumn{QStringLiteral("MasterID"), DataType::Integer});
}

struct DuplicateWinery
{
    vb::Variant masterId;
    qint64 survivor = 0; // the highest WinerySiteID of the group
};

QList<DuplicateWinery> duplicateWineries(jet::Connection& connection)
{
    jet::ResultSet groups = connection.execute(QStringLiteral(
        "SELECT tblWinerySite.MasterID, Count(tblWinerySite.MasterID) AS CountOfMasterID, "
        "Max(tblWinerySite.WinerySiteID) AS MaxOfWinerySiteID FROM tblWinerySite GROUP BY "
        "tblWinerySite.MasterID HAVING (((tblWinerySite.MasterID)>0) AND "
        "((Count(tblWinerySite.MasterID))>1)) ORDER BY tblWinerySite.MasterID;"));
    QList<DuplicateWinery> duplicates;
    for (; !groups.eof(); groups.moveNext()) {
        duplicates.append(
            {groups.value(QStringLiteral("MasterID")),
             static_cast<qint64>(groups.value(QStringLiteral("MaxOfWinerySiteID")).toDouble())});
    }
    groups.close();
    return duplicates;
}

// Of each group of wineries sharing a master number, the one with the highest WinerySiteID
// takes over the wines of the others, which are deleted.
void mergeDuplicateWineries(jet::Connection& connection)
{
    const QList<DuplicateWinery> duplicates = duplicateWineries(connection);
    if (duplicates.isEmpty())
        return;
    jet::Recordset sites;
    DatabaseHelpers::OpenTable(sites, connection, QStringLiteral("tblWinerySite"), false,
                               masterIndex);
    for (const DuplicateWinery& group : duplicates) {
        sites.seek({group.masterId});
        while (!sites.eof() && sites.value(masterIndex) == group.masterId) {
            const qint64 site =
                static_cast<qint64>(sites.value(QStringLiteral("WinerySiteID")).toDouble());
            if (site != group.survivor) {
                connection.execute(QStringLiteral("UPDATE tblWines SET tblWines.WinerySiteID = ") +
                                   QString::number(group.survivor) +
                                   QStringLiteral(" WHERE (((tblWines.WinerySiteID)=") +
                                   QString::number(site) + QStringLiteral("));"));
                sites.deleteCurrent();
            }
            sites.moveNext();
        }
    }
    sites.close();
}

void dropMasterIndex(jet::adox::Catalog& catalog, const QString& table)
{
    jet::adox::Table& owners = catalog.tables().item(table);
    if (DatabaseHelpers::IndexExists(owners, masterIndex))
        owners.indexes().remove(masterIndex);
}

void addOwnerIndex(jet::adox::Catalog& catalog, const QString& table)
{
    DatabaseHelpers::AddIndexIfMissing(catalog.tables().item(table), masterIndex,
                                       {QStringLiteral("UserID"), masterIndex}, true);
}

// Step 11: the index is made while the shared connection is closed; the file may still be busy
// right after, so each statement is retried after a pause as often as needed.
void indexTastingNotesReconnected(RunState& state, std::unique_ptr<jet::adox::Catalog> catalog)
{
    jet::Connection& connection = state.connection(DatabaseKind::Main);
    const QString path =
        state.mainDatabasePath.isEmpty() ? connection.databasePath() : state.mainDatabasePath;
    maindb::retryWhileBusy([&] { connection.close(); });
    shell::doEvents();
    maindb::retryWhileBusy([&] { addOwnerIndex(*catalog, QStringLiteral("tblTastingNotes")); });
    shell::doEvents();
    catalog.reset();
    shell::doEvents();
    maindb::retryWhileBusy([&] { DatabaseHelpers::OpenDatabase(connection, path, true); });
    shell::doEvents();
}

} // namespace

void MainDatabaseUpdate6(RunState& state)
{
    const bool done = trapUpdateErrors(state, QStringLiteral("MainDatabaseUpdate6"), [&] {
        const maindb::UpdateProgress progress(QStringLiteral("Main Database Update 6"), 12);
        jet::Connection& connection = state.connection(DatabaseKind::Main);
        auto catalog = std::make_unique<jet::adox::Catalog>();
        DatabaseHelpers::BindCatalog(*catalog, connection);

        progress.step(1);
        addOwnerColumns(*catalog, QStringLiteral("tblWinerySite"));
        progress.step(2);
        addOwnerColumns(*catalog, QStringLiteral("tblTastingNotes"));

        progress.step(3);
        mergeDuplicateWineries(connection);

        progress.step(4);
        dropMasterIndex(*catalog, QStringLiteral("tblWinerySite"));
        progress.step(5);
        dropMasterIndex(*catalog, QStringLiteral("tblTastingNotes"));

        const QString uniqueId = QString::number(DatabaseHelpers::UniqueID());
        const QString quote = QStringLiteral("\"");
        progress.step(6);
        connection.execute(QStringLiteral("UPDATE tblWinerySite SET tblWinerySite.UserID = 1 "
                                          "WHERE (((tblWinerySite.MasterID)>0));"));
        progress.step(7);
        connection.execute(QStringLiteral("UPDATE tblWinerySite SET tblWinerySite.UserID = ") +
                           uniqueId +
                           QStringLiteral(", tblWinerySite.MasterID = "
                                          "[tblWinerySite].[WinerySiteID] WHERE "
                                          "(((tblWinerySite.MasterID)=0));"));
        progress.step(8);
        connection.execute(QStringLiteral("UPDATE tblTastingNotes SET tblTastingNotes.UserID = 4 "
                                          "WHERE (((tblTastingNotes.MasterID)>0) AND "
                                          "((tblTastingNotes.Author)=") +
                           quote + QStringLiteral("Veltrano") + quote + QStringLiteral("));"));
        progress.step(9);
        connection.execute(QStringLiteral("UPDATE tblTastingNotes SET tblTastingNotes.UserID = 3 "
                                          "WHERE (((tblTastingNotes.MasterID)>0) AND "
                                          "((tblTastingNotes.Author)<>") +
                           quote + QStringLiteral("Veltrano") + quote + QStringLiteral("));"));
        progress.step(10);
        connection.execute(QStringLiteral("UPDATE tblTastingNotes SET tblTastingNotes.UserID = ") +
                           uniqueId +
                           QStringLiteral(", tblTastingNotes.MasterID = "
                                          "[tblTastingNotes].[TastingNoteID] WHERE "
                                          "(((tblTastingNotes.MasterID)=0));"));

        progress.step(11);
        indexTastingNotesReconnected(state, std::move(catalog));

        progress.step(12);
        jet::adox::Catalog wineries;
        DatabaseHelpers::BindCatalog(wineries, state.connection(DatabaseKind::Main));
        addOwnerIndex(wineries, QStringLiteral("tblWinerySite"));
        DatabaseHelpers::SetDBVersion(1, 6);
    });
    if (done)
        MainDatabaseUpdate7(state);
}

} // namespace updater
