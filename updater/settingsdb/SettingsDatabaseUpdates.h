#pragma once

// The settings database updates 4 to 18. Each takes settings.dat from the version before its
// number to its number, stores that number as the version and calls the next update, so the
// driver calls only the first one that is due; update 18 ends the chain. A failing update
// records its error in the run state and returns: its version is not stored and no later
// update runs.

namespace updater {

struct RunState;
class UpdateChains;

void SettingsDatabaseUpdate4(RunState& state);
void SettingsDatabaseUpdate5(RunState& state);
void SettingsDatabaseUpdate6(RunState& state);
void SettingsDatabaseUpdate7(RunState& state);
void SettingsDatabaseUpdate8(RunState& state);
void SettingsDatabaseUpdate9(RunState& state);
void SettingsDatabaseUpdate10(RunState& state);
void SettingsDatabaseUpdate11(RunState& state);
void SettingsDatabaseUpdate12(RunState& state);
void SettingsDatabaseUpdate13(RunState& state);
void SettingsDatabaseUpdate14(RunState& state);
void SettingsDatabaseUpdate15(RunState& state);
void SettingsDatabaseUpdate16(RunState& state);
void SettingsDatabaseUpdate17(RunState& state);
void SettingsDatabaseUpdate18(RunState& state);

// Registers the chain's first update for each settings version 3 to 17.
void addSettingsDatabaseChain(UpdateChains& chains);

} // namespace updater
