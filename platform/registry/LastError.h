#pragma once

// The reason behind the last failed call of the current thread, kept for reg::lastErrorText().

#include "Registry.h"

#include <QString>

namespace reg::detail {

void clearLastError();
void setLastError(const QString& text);
bool hasLastError();

// Sets a plain description of `status` for `context` unless a more precise reason was already
// recorded during the call; returns `status` so that callers can `return explain(...)`.
Status explain(Status status, const QString& context);

} // namespace reg::detail
