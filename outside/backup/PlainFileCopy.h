#pragma once

// Copying a plain file (rates.dat) so that the target is either complete or absent: written
// under a temporary name beside it, flushed to disk, then renamed.

#include <QString>

namespace backup {

// Raises vb::Error naming the file and the reason; nothing is left at `target` on failure.
void copyPlainFile(const QString& source, const QString& target);

} // namespace backup
