#include "MainDatabaseUpdates.h"
#include "updater/UpdateChains.h"

#include <array>

namespace updater {

void addMainDatabaseChain(UpdateChains& chains)
{
    static constexpr std::array<void (*)(RunState&), 8> firstUpdates{
        MainDatabaseUpdate4, MainDatabaseUpdate5, MainDatabaseUpdate6,  MainDatabaseUpdate7,
        MainDatabaseUpdate8, MainDatabaseUpdate9, MainDatabaseUpdate10, MainDatabaseUpdate11};
    for (std::size_t i = 0; i < firstUpdates.size(); ++i)
        chains.add(DatabaseKind::Main, static_cast<std::int16_t>(3 + i), firstUpdates[i]);
}

} // namespace updater
