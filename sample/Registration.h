#pragma once

// Points the suite at an installation through the registry values it reads at start-up.

#include <QString>

namespace sample {

// Writes Application/FullPath, LastDatabase/FullPath, LanguageDB/FullPath and
// Application/UniqueID below the suite's key in the current user's registry store. Raises
// vb::Error naming the value that could not be written.
void registerInstallation(const QString& folder, const QString& uniqueId);

} // namespace sample
