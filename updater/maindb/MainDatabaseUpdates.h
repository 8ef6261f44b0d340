#pragma once

// The main wine database's update chain: "Main Database Update 4" to "Main Database Update 11".
//
// Each procedure brings the database one version further, writes its own number into tblDBVer
// and calls the next one, so the driver only calls the first that applies (version read + 1).
// A procedure that fails records the error in the run state and returns without calling the
// next; the driver then restores the backups. Nothing is rolled back inside a procedure.

namespace updater {

struct RunState;
class UpdateChains;

void MainDatabaseUpdate4(RunState& state);
void MainDatabaseUpdate5(RunState& state);
void MainDatabaseUpdate6(RunState& state);
void MainDatabaseUpdate7(RunState& state);
void MainDatabaseUpdate8(RunState& state);
void MainDatabaseUpdate9(RunState& state);
void MainDatabaseUpdate10(RunState& state);
void MainDatabaseUpdate11(RunState& state);

// Registers the chain for main wine databases of version 3 to 10 (each starts with the update
// of version + 1 and runs on to 11).
void addMainDatabaseChain(UpdateChains& chains);

} // namespace updater
