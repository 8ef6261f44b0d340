#pragma once

#include "VersionInfo.h"

namespace verinfo {

inline bool looksLikeElf(QByteArrayView data)
{
    return data.size() >= 4 && data.first(4) == QByteArrayView("\x7f"
                                                               "ELF");
}

// Version information of an ELF file: its package metadata note (owner "FDO"), found through
// the section headers or, when those are missing, the PT_NOTE segments.
std::optional<VersionInfo> readElf(QByteArrayView data);

} // namespace verinfo
