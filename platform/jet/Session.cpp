#include "Session.h"

#include <mutex>
#include <QFileInfo>
#include <sqlite3.h>
#include <unordered_set>

namespace jet::detail {

namespace {

struct Registry
{
    std::mutex mutex;
    std::unordered_set<Session*> sessions;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

} // namespace

Session::Session(sqlite3* db, QString path, std::chrono::milliseconds lockTimeout)
    : m_db(db), m_path(std::move(path)), m_canonicalPath(QFileInfo(m_path).canonicalFilePath()),
      m_thread(std::this_thread::get_id()), m_lockTimeout(lockTimeout)
{
    sqlite3_busy_handler(m_db, &Session::busyHandler, this);
    const std::lock_guard lock(registry().mutex);
    registry().sessions.insert(this);
}

Session::~Session()
{
    close();
}

void Session::close() noexcept
{
    if (!m_db) {
        return;
    }
    {
        const std::lock_guard lock(registry().mutex);
        registry().sessions.erase(this);
    }
    if (!sqlite3_get_autocommit(m_db)) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_busy_handler(m_db, nullptr, nullptr);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool Session::blockedBySameThread() const
{
    const std::lock_guard lock(registry().mutex);
    for (const Session* other : registry().sessions) {
        if (other != this && other->m_thread == m_thread &&
            other->m_canonicalPath == m_canonicalPath &&
            sqlite3_txn_state(other->m_db, "main") == SQLITE_TXN_WRITE) {
            return true;
        }
    }
    return false;
}

int Session::busyHandler(void* context, int attempts)
{
    auto* self = static_cast<Session*>(context);
    const auto now = std::chrono::steady_clock::now();
    if (attempts == 0) {
        self->m_busySince = now;
    }
    if (self->blockedBySameThread()) {
        return 0;
    }
    const auto waited = now - self->m_busySince;
    if (waited >= self->m_lockTimeout) {
        return 0;
    }
    // Short sleeps first: most locks are held for the time of one small transaction.
    const auto step = std::chrono::milliseconds(attempts < 10 ? 1 : attempts < 40 ? 5 : 20);
    const auto remaining =
        std::chrono::duration_cast<std::chrono::milliseconds>(self->m_lockTimeout - waited);
    std::this_thread::sleep_for(std::min(step, remaining));
    return 1;
}

} // namespace jet::detail
