#pragma once

// Fix "Cannot find its own executable": the host's program path (Application\FullPath) set
// from the folder this program runs in, which is the installation's Tools folder.

#include "platform/registry/Registry.h"

#include <optional>
#include <QString>

namespace gorvane {

// The installation folder: the program folder cut before its first path segment named exactly
// "Tools"; nothing when there is no such segment.
std::optional<QString> mainFolderOf(const QString& programFolder);

// Writes the folder as the host's program path; the registry's status (0 = success).
reg::Status saveMainFolder(const QString& mainFolder);

} // namespace gorvane
