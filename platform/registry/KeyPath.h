#pragma once

// Splitting a sub-key path such as "Software\Quillmere\Quorvex" into its levels.

#include "Registry.h"

#include <QStringList>

namespace reg::detail {

// The longest key name a level may have, as on Windows.
inline constexpr qsizetype kMaxKeyNameLength = 255;

// One trailing backslash is accepted; a leading one or two in a row leave a level without a name
// and give ERROR_BAD_PATHNAME. An empty path gives no levels (the key itself).
Status splitKeyPath(const QString& subKey, QStringList* levels);

} // namespace reg::detail
