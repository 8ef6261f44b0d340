// Travone: brings the user's databases to the current versions, then hands over to the
// compaction program.

#include "HostBackupComponent.h"
#include "TravoneProgram.h"

int main(int argc, char** argv)
{
    return updater::runTravone(argc, argv, updater::UpdateChains::standard(),
                               updater::createHostBackupComponent);
}
