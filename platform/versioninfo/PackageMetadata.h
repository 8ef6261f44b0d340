#pragma once

#include "VersionInfo.h"

namespace verinfo {

// The ELF package metadata note: owner "FDO", this type, a JSON object as descriptor.
inline constexpr uint32_t kPackageMetadataNoteType = 0xcafe1a7e;

// Version information from the JSON payload of a package metadata note. Every string member
// becomes a string of one table (language 0409, code page 04B0, as a Windows build would
// carry); the fixed block is derived from "FileVersion"/"ProductVersion", or from the
// convention's "version" for notes written by other packagers. nullopt when it is no object.
std::optional<VersionInfo> fromPackageMetadata(QByteArrayView json, uint32_t fileType);

} // namespace verinfo
