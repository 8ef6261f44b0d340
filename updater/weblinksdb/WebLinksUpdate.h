#pragma once

// What the weblinks updates share: their frame (title "WebLinks Database Update N", version
// stored in the weblinks database) and the weblinks connection.

#include "updater/settingsdb/ChainedUpdate.h"

namespace updater {

ChainedUpdate webLinksUpdate(std::int16_t number, std::uint8_t steps);

jet::Connection& webLinksConnection(RunState& state);

} // namespace updater
