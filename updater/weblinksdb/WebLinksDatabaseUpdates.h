#pragma once

// The weblinks database updates 2 to 4. Each takes weblinks.dat from the version before its
// number to its number, stores that number as the version and calls the next update; update 4
// ends the chain. A failing update records its error in the run state and returns: its version
// is not stored and no later update runs.

namespace updater {

struct RunState;
class UpdateChains;

void WebLinksDatabaseUpdate2(RunState& state);
void WebLinksDatabaseUpdate3(RunState& state);
void WebLinksDatabaseUpdate4(RunState& state);

// Registers the chain's first update for each weblinks version 1 to 3.
void addWebLinksDatabaseChain(UpdateChains& chains);

} // namespace updater
