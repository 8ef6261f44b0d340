#pragma once

// Schema changes right after the shared connection was closed can meet the file still busy
// (0x80004005). The user is then asked to pause and the statement is tried again, as often as
// it takes.

#include <functional>

namespace updater::maindb {

inline constexpr int fileBusyError = -2147467259; // 0x80004005

// Runs `statement`; while it fails with the busy error, shows "A pause is required... Click to
// resume." (OK only) and runs it again. Any other error goes to the caller.
void retryWhileBusy(const std::function<void()>& statement);

} // namespace updater::maindb
