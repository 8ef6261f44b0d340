#include "SettingsUpdate.h"

namespace updater {

ChainedUpdate settingsUpdate(std::int16_t number, std::uint8_t steps)
{
    return {DatabaseKind::Settings, number, QStringLiteral("SettingsDatabaseUpdate%1").arg(number),
            QStringLiteral("Settings Database Update %1").arg(number), steps};
}

jet::Connection& settingsConnection(RunState& state)
{
    return state.connection(DatabaseKind::Settings);
}

} // namespace updater
