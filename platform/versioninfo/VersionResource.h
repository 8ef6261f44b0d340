#pragma once

#include "VersionInfo.h"

namespace verinfo {

// Parses a VS_VERSIONINFO block (the RT_VERSION resource of a PE file): the fixed block, the
// string tables under StringFileInfo and the translations under VarFileInfo. Lengths that do
// not fit are clamped to the enclosing block; nullopt when the root block itself is not one.
std::optional<VersionInfo> parseVersionResource(QByteArrayView data);

} // namespace verinfo
