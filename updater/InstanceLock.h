#pragma once

// One updater at a time per installation: an exclusive lock on a file in the tools folder. The
// operating system releases the lock when the process ends in any way (also when it is killed),
// so a stale lock can never keep the next update from running. The lock file itself stays.

#include <QString>

namespace updater {

class InstanceLock
{
public:
    static inline const QString fileName = QStringLiteral("travone.lock");

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process now holds the lock of `toolsFolder`; false when another holds it.
    // Raises vb::Error when the lock file cannot be made at all.
    bool tryAcquire(const QString& toolsFolder);
    bool held() const noexcept { return m_fd >= 0; }
    void release() noexcept;

private:
    int m_fd = -1;
};

} // namespace updater
