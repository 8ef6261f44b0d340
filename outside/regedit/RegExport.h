#pragma once

// Writing a key and its sub-keys as a "Windows Registry Editor Version 5.00" file: UTF-16LE with
// a byte order mark, CR LF line ends, long hex data wrapped the way the Windows editor wraps it.

#include "RegFile.h"

namespace regedit {

// Reads `fullKey` (e.g. "HKEY_CURRENT_USER\Software\Quillmere\Quorvex") and all its sub-keys,
// depth first in enumeration order. Returns an error message, empty on success.
QString readKeyTree(const QString& fullKey, RegFile* file);

// One value as its line(s) in the file, without the final line end.
QString formatValue(const RegValue& value);

// The whole file as text (CR LF line ends, no byte order mark).
QString formatRegText(const RegFile& file);

// The whole file as it is written to disk: byte order mark + UTF-16LE.
QByteArray encodeRegFile(const RegFile& file);

// Reads the key and writes the file through a temporary file that replaces `fileName` only
// when complete. Returns an error message, empty on success; no file is written on failure.
QString exportKey(const QString& fileName, const QString& fullKey);

} // namespace regedit
