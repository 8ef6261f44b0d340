// WebLinks database update 4: each search address once, under a unique index.

#include "common/OpenTable.h"
#include "common/SchemaChange.h"
#include "common/SchemaExistence.h"
#include "jet/adox/Catalog.h"
#include "jet/recordset/Recordset.h"
#include "vb/Error.h"
#include "WebLinksDatabaseUpdates.h"
#include "WebLinksUpdate.h"

#include <QSet>

namespace updater {

namespace {

const QString webLinksTable = QStringLiteral("WebLinks");

// Keeps the first link of each search address (compared exactly, case included) in table
// order and deletes the later ones.
void removeDuplicateAddresses(jet::Connection& webLinks)
{
    const QString address = QStringLiteral("SearchURL");
    jet::Recordset links;
    DatabaseHelpers::OpenTable(links, webLinks, webLinksTable, false);
    QSet<QString> seen;
    while (!links.eof()) {
        const vb::Variant url = links.value(address);
        if (url.isNull())
            throw vb::Error(vb::ErrorNumber::InvalidUseOfNull,
                            QStringLiteral("The web link with ID %1 has no search address "
                                           "(SearchURL). Enter one or delete the link, then run "
                                           "the update again.")
                                .arg(links.value(QStringLiteral("ID")).toString()));
        const QString text = url.toString();
        if (seen.contains(text))
            links.deleteCurrent();
        else
            seen.insert(text);
        links.moveNext();
    }
    links.close();
}

void createAddressIndex(jet::Connection& webLinks)
{
    const QString name = QStringLiteral("URL");
    jet::adox::Catalog catalog;
    catalog.setActiveConnection(webLinks.connectionString());
    jet::adox::Table& table = catalog.tables().item(webLinksTable);
    if (DatabaseHelpers::IndexExists(table, name))
        return;
    jet::adox::Index index(name);
    index.columns().append(QStringLiteral("SearchURL"));
    index.setUnique(true);
    table.indexes().append(index);
}

} // namespace

void WebLinksDatabaseUpdate4(RunState& state)
{
    const ChainedUpdate update = webLinksUpdate(4, 2);
    runChainedUpdate(
        state, update,
        [&] {
            jet::Connection& webLinks = webLinksConnection(state);
            removeDuplicateAddresses(webLinks);
            showStep(update, 2);
            createAddressIndex(webLinks);
        },
        nullptr);
}

} // namespace updater
