// WebLinks database update 2: every link gets an owner, and master numbers are unique per
// owner.

#include "common/SchemaChange.h"
#include "common/SchemaExistence.h"
#include "common/UniqueID.h"
#include "jet/adox/Catalog.h"
#include "WebLinksDatabaseUpdates.h"
#include "WebLinksUpdate.h"

namespace updater {

namespace {

const QString webLinksTable = QStringLiteral("WebLinks");
const QString masterIndex = QStringLiteral("MasterID");

void dropMasterIndex(jet::Connection& webLinks)
{
    jet::adox::Catalog catalog;
    catalog.setActiveConnection(webLinks.connectionString());
    jet::adox::Table& table = catalog.tables().item(webLinksTable);
    if (DatabaseHelpers::IndexExists(table, masterIndex))
        table.indexes().remove(masterIndex);
}

void createMasterIndex(jet::Connection& webLinks)
{
    jet::adox::Catalog catalog;
    catalog.setActiveConnection(webLinks.connectionString());
    jet::adox::Table& table = catalog.tables().item(webLinksTable);
    if (DatabaseHelpers::IndexExists(table, masterIndex))
        return;
    jet::adox::Index index(masterIndex);
    index.columns().append(QStringLiteral("UserID"));
    index.columns().append(QStringLiteral("MasterID"));
    index.setIgnoreNulls(true);
    index.setUnique(true);
    table.indexes().append(index);
}

} // namespace

void WebLinksDatabaseUpdate2(RunState& state)
{
    const ChainedUpdate update = webLinksUpdate(2, 5);
    runChainedUpdate(
        state, update,
        [&] {
            jet::Connection& webLinks = webLinksConnection(state);
            DatabaseHelpers::AddColumnIfMissing(webLinks, webLinksTable,
                                                DatabaseHelpers::NewColumn::longInteger("UserID"));
            showStep(update, 2);
            dropMasterIndex(webLinks);
            showStep(update, 3);
            webLinks.execute(QStringLiteral(
                "UPDATE WebLinks SET WebLinks.UserID = 1 WHERE (((WebLinks.MasterID)>0));"));
            showStep(update, 4);
            // The user's own links: the user as owner, their own number as master number.
            webLinks.execute(QStringLiteral("UPDATE WebLinks SET WebLinks.UserID = ") +
                             QString::number(DatabaseHelpers::UniqueID()) +
                             QStringLiteral(", WebLinks.MasterID = [WebLinks].[ID] WHERE "
                                            "(((WebLinks.MasterID)=0));"));
            showStep(update, 5);
            createMasterIndex(webLinks);
        },
        WebLinksDatabaseUpdate3);
}

} // namespace updater
