#include "SettingsDatabaseUpdates.h"
#include "updater/UpdateChains.h"

#include <array>

namespace updater {

void addSettingsDatabaseChain(UpdateChains& chains)
{
    // Index i: the update that starts from version i + 3.
    static constexpr std::array<void (*)(RunState&), 15> updates{
        SettingsDatabaseUpdate4,  SettingsDatabaseUpdate5,  SettingsDatabaseUpdate6,
        SettingsDatabaseUpdate7,  SettingsDatabaseUpdate8,  SettingsDatabaseUpdate9,
        SettingsDatabaseUpdate10, SettingsDatabaseUpdate11, SettingsDatabaseUpdate12,
        SettingsDatabaseUpdate13, SettingsDatabaseUpdate14, SettingsDatabaseUpdate15,
        SettingsDatabaseUpdate16, SettingsDatabaseUpdate17, SettingsDatabaseUpdate18};
    for (std::size_t i = 0; i < updates.size(); ++i)
        chains.add(DatabaseKind::Settings, static_cast<std::int16_t>(i + 3), updates[i]);
}

} // namespace updater
