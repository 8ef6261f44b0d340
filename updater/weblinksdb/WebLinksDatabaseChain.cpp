#include "updater/UpdateChains.h"
#include "WebLinksDatabaseUpdates.h"

namespace updater {

void addWebLinksDatabaseChain(UpdateChains& chains)
{
    chains.add(DatabaseKind::Weblinks, 1, WebLinksDatabaseUpdate2);
    chains.add(DatabaseKind::Weblinks, 2, WebLinksDatabaseUpdate3);
    chains.add(DatabaseKind::Weblinks, 3, WebLinksDatabaseUpdate4);
}

} // namespace updater
