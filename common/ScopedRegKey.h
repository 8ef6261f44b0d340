#pragma once

// An open registry key that is closed when it goes out of scope, so every return path releases
// the handles it opened.

#include "platform/registry/Registry.h"

namespace common {

class ScopedRegKey
{
public:
    ScopedRegKey() = default;
    ~ScopedRegKey() { close(); }
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;

    // Where an open call puts the handle; the key counts as open once the call succeeded.
    reg::Hkey* receive()
    {
        close();
        return &m_key;
    }
    // To be called after the open call: keeps the handle only when `status` is success.
    reg::Status opened(reg::Status status)
    {
        m_open = status == reg::ERROR_SUCCESS;
        return status;
    }
    reg::Hkey get() const { return m_key; }
    // Closes now and returns the close status (success when nothing was open).
    reg::Status close()
    {
        if (!m_open)
            return reg::ERROR_SUCCESS;
        m_open = false;
        return reg::closeKey(m_key);
    }

private:
    reg::Hkey m_key = 0;
    bool m_open = false;
};

} // namespace common
