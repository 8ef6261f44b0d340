#pragma once

// A sample installation brought to the current database versions by the updater's own update
// chains (main wine database 11, settings 18, weblinks 4), for tests of the programs that read
// current databases. The updater's questions are answered as a user keeping the converted
// drinking windows would; its compaction hand-over is not started. The installation is left
// registered (the updater works on the registered one). Needs a QApplication.

#include "sample/Installation.h"

namespace sample {

// Lays out the installation in `folder` (see writeInstallation) and updates it. Raises
// vb::Error saying what failed when the installation cannot be written or updated.
InstallationSummary writeUpdatedInstallation(const QString& folder,
                                             const InstallationOptions& options);

} // namespace sample
