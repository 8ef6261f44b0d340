#pragma once

// The updater program around its run: the command line, the user (the screen, or nobody in an
// unattended run), the main window and the exit status.

#include "UpdateChains.h"
#include "UserFilesBackup.h"

namespace updater {

// Runs the program with the given update chains and backup component; returns the exit status.
int runTravone(int argc, char** argv, UpdateChains chains, UserFilesBackupFactory backupFactory);

} // namespace updater
