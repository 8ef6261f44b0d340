#include "HandleTable.h"

#include "Store.h"

namespace reg::detail {
namespace {

constexpr AccessMask kGenericRead = 0x80000000u;
constexpr AccessMask kGenericWrite = 0x40000000u;
constexpr AccessMask kGenericExecute = 0x20000000u;
constexpr AccessMask kGenericAll = 0x10000000u;
constexpr AccessMask kMaximumAllowed = 0x02000000u;
constexpr AccessMask kWow64Flags = 0x0300u;

} // namespace

AccessMask normaliseAccess(AccessMask access)
{
    AccessMask result = access & ~(kGenericRead | kGenericWrite | kGenericExecute | kGenericAll |
                                   kMaximumAllowed | kWow64Flags);
    if (access & (kGenericRead | kGenericExecute))
        result |= KEY_READ;
    if (access & kGenericWrite)
        result |= KEY_WRITE;
    if (access & (kGenericAll | kMaximumAllowed))
        result |= KEY_ALL_ACCESS;
    return result;
}

bool HandleTable::isPredefined(Hkey handle)
{
    return handle == HKEY_CLASSES_ROOT || handle == HKEY_CURRENT_USER ||
           handle == HKEY_LOCAL_MACHINE || handle == HKEY_USERS;
}

std::optional<OpenKey> HandleTable::find(Hkey handle) const
{
    if (handle == HKEY_CURRENT_USER)
        return OpenKey{kRootKeyId, KEY_ALL_ACCESS};
    if (isPredefined(handle))
        return OpenKey{kEmptyRootId, KEY_READ};
    const auto it = m_open.find(handle);
    if (it == m_open.end())
        return std::nullopt;
    return it->second;
}

Hkey HandleTable::add(const OpenKey& key)
{
    // Handles are multiples of four below the predefined range, as on Windows; numbers of closed
    // handles come back only after the counter wraps.
    while (m_open.contains(m_next) || m_next == 0 || m_next >= HKEY_CLASSES_ROOT)
        m_next = m_next >= HKEY_CLASSES_ROOT ? 0x100 : m_next + 4;
    const Hkey handle = m_next;
    m_next += 4;
    m_open.emplace(handle, key);
    return handle;
}

bool HandleTable::remove(Hkey handle)
{
    return m_open.erase(handle) > 0;
}

void HandleTable::clear()
{
    m_open.clear();
}

} // namespace reg::detail
