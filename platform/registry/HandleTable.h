#pragma once

// Process-local key handles: numbers standing for an open key and the access it was opened with.

#include "Registry.h"

#include <map>
#include <optional>

namespace reg::detail {

// HKEY_CURRENT_USER's own key, or one of the other roots, which are kept empty and read-only.
inline constexpr qint64 kEmptyRootId = -2;

struct OpenKey
{
    qint64 keyId = 0;
    AccessMask access = 0;
};

class HandleTable
{
public:
    // Predefined roots are always open; other handles until they are closed.
    std::optional<OpenKey> find(Hkey handle) const;
    Hkey add(const OpenKey& key);
    bool remove(Hkey handle);
    void clear();

    static bool isPredefined(Hkey handle);

private:
    std::map<Hkey, OpenKey> m_open;
    Hkey m_next = 0x100;
};

// Generic rights and MAXIMUM_ALLOWED turned into the key rights they stand for; WOW64 view flags
// are ignored (there is one view here).
AccessMask normaliseAccess(AccessMask access);

} // namespace reg::detail
