#pragma once

#include "VersionInfo.h"

namespace verinfo {

inline bool looksLikePe(QByteArrayView data)
{
    return data.size() >= 2 && data.first(2) == QByteArrayView("MZ");
}

// The raw RT_VERSION resource of a PE32 or PE32+ file (the first name, the first language),
// or nullopt when the file has none or its headers or resource tree are malformed.
std::optional<QByteArrayView> findVersionResource(QByteArrayView data);

// Version information of a PE file.
std::optional<VersionInfo> readPe(QByteArrayView data);

} // namespace verinfo
