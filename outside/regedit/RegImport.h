#pragma once

// Reading a registry file back into the store: "Windows Registry Editor Version 5.00" files
// (UTF-16LE with byte order mark, or UTF-8) and REGEDIT4 files (text in the suite's code page,
// UTF-8). Key deletions ([-KEY]) and value deletions ("name"=-) are honoured.

#include "RegFile.h"

namespace regedit {

// Parses the whole file first; returns an error message naming the line, empty on success.
QString parseRegFile(const QByteArray& bytes, RegFile* file);

// The largest file importFile() reads.
inline constexpr qint64 kMaxImportBytes = 64 * 1024 * 1024;

// Writes the parsed blocks to the store in one transaction: everything, or nothing when any
// block fails. Returns the problems met (one line each), empty when everything was written.
QString applyRegFile(const RegFile& file);

// Parses and applies `fileName` (at most kMaxImportBytes); nothing is written when the file is
// too large, does not parse or cannot be applied completely. "[-ROOT]" (deleting a whole root
// key) does not parse.
QString importFile(const QString& fileName);

} // namespace regedit
