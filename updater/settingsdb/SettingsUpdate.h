#pragma once

// What the settings updates share: their frame (title "Settings Database Update N", version
// stored in the settings database) and the settings connection.

#include "ChainedUpdate.h"

namespace updater {

ChainedUpdate settingsUpdate(std::int16_t number, std::uint8_t steps);

// The run's open settings connection.
jet::Connection& settingsConnection(RunState& state);

} // namespace updater
