#pragma once

// Gorvane's start-up: it shows where it runs, makes its folder the current folder, finds the
// database the host used last and shows its window until the user closes it.

#include <QString>

namespace gorvane {

// `programFolder`: the folder of the running program. Returns the program's exit status: 0, or
// 1 after a start-up error (which has been shown).
int runGorvane(const QString& programFolder);

} // namespace gorvane
