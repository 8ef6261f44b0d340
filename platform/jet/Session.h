#pragma once

// One open SQLite handle to a database file, shared by a connection and the result sets it
// produced, so a result set never reads through a closed handle. Sessions register themselves
// per file: when a write is blocked by another connection of this process on the same thread,
// waiting cannot help (that connection cannot finish while we wait), so the lock is reported at
// once instead of after the lock timeout. Locks held by other processes or threads are waited
// for up to the timeout, then reported as the engine's "currently locked" error.

#include <chrono>
#include <memory>
#include <QString>
#include <thread>

struct sqlite3;

namespace jet::detail {

class Session
{
public:
    // Takes ownership of `db` (opened on `path`) and installs the busy handler.
    Session(sqlite3* db, QString path, std::chrono::milliseconds lockTimeout);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    sqlite3* db() const noexcept { return m_db; }
    const QString& path() const noexcept { return m_path; }
    bool isOpen() const noexcept { return m_db != nullptr; }
    void setLockTimeout(std::chrono::milliseconds timeout) noexcept { m_lockTimeout = timeout; }

    // Rolls back what is pending and closes the handle (at once, or once the last statement
    // of a result set still alive is finalized).
    void close() noexcept;

private:
    static int busyHandler(void* context, int attempts);
    bool blockedBySameThread() const;

    sqlite3* m_db;
    QString m_path;
    QString m_canonicalPath;
    std::thread::id m_thread;
    std::chrono::milliseconds m_lockTimeout;
    std::chrono::steady_clock::time_point m_busySince;
};

} // namespace jet::detail
