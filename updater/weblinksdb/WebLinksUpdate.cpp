#include "WebLinksUpdate.h"

namespace updater {

ChainedUpdate webLinksUpdate(std::int16_t number, std::uint8_t steps)
{
    return {DatabaseKind::Weblinks, number, QStringLiteral("WebLinksDatabaseUpdate%1").arg(number),
            QStringLiteral("WebLinks Database Update %1").arg(number), steps};
}

jet::Connection& webLinksConnection(RunState& state)
{
    return state.connection(DatabaseKind::Weblinks);
}

} // namespace updater
