#include "Session.h"

#include "SqliteStatement.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <sqlite3.h>
#include <unordered_set>
#include <vector>

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

// Batches open in this process: while there is none, nothing needs the registry's lock to find
// batches to commit (the common case of a single connection costs nothing per row).
std::atomic<int> openBatches{0};

// A batch is committed after this many writes or this long after it began, whichever comes
// first, so a crash or another process never waits on more than a moment's work.
constexpr int maxBatchWrites = 10000;
constexpr std::chrono::milliseconds maxBatchAge{500};

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
    if (inBatch() && !sqlite3_get_autocommit(m_db)) {
        endBatch();
        sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr); // batched writes are kept
    }
    markBatchClosed();
    m_batchReaders.clear();
    if (!sqlite3_get_autocommit(m_db)) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_busy_handler(m_db, nullptr, nullptr);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool Session::blockedBySameThread() const
{
    std::vector<Session*> batches;
    bool blocked = false;
    {
        const std::lock_guard lock(registry().mutex);
        for (Session* other : registry().sessions) {
            if (other != this && other->m_thread == m_thread &&
                other->m_canonicalPath == m_canonicalPath &&
                sqlite3_txn_state(other->m_db, "main") == SQLITE_TXN_WRITE) {
                if (other->inBatch()) {
                    batches.push_back(other);
                } else {
                    blocked = true;
                }
            }
        }
    }
    // A batch of this thread holds the lock only for want of a commit: give it one. Sessions of
    // this thread cannot go away meanwhile.
    for (Session* other : batches) {
        try {
            other->commitBatch();
        } catch (const vb::Error&) {
            blocked = true;
        }
    }
    return blocked;
}

bool Session::beginBatch()
{
    if (inBatch()) {
        return true;
    }
    if (!sqlite3_get_autocommit(m_db)) {
        return false; // the connection's own transaction holds the writes
    }
    exec(m_db, QStringLiteral("BEGIN IMMEDIATE"));
    m_batchWrites = 0;
    ++openBatches;
    ++m_batchNumber;
    m_batchSince = std::chrono::steady_clock::now();
    scheduleBatchCommit();
    return true;
}

bool Session::countBatchWrite()
{
    if (!inBatch()) {
        return false;
    }
    ++m_batchWrites;
    return m_batchWrites >= maxBatchWrites ||
           std::chrono::steady_clock::now() - m_batchSince >= maxBatchAge;
}

void Session::commitBatch()
{
    if (!inBatch() || !m_db) {
        return;
    }
    endBatch();
    if (sqlite3_get_autocommit(m_db)) {
        markBatchClosed(); // already ended by the engine
        return;
    }
    exec(m_db, QStringLiteral("COMMIT"));
    markBatchClosed();
}

void Session::endBatch() noexcept
{
    for (sqlite3_stmt* statement : m_batchReaders) {
        sqlite3_reset(statement);
    }
    m_batchReaders.clear();
}

void Session::resetWhenBatchEnds(sqlite3_stmt* statement)
{
    if (std::find(m_batchReaders.begin(), m_batchReaders.end(), statement) ==
        m_batchReaders.end()) {
        m_batchReaders.push_back(statement);
    }
}

void Session::forgetStatement(sqlite3_stmt* statement) noexcept
{
    m_batchReaders.erase(std::remove(m_batchReaders.begin(), m_batchReaders.end(), statement),
                         m_batchReaders.end());
}

void Session::dropEmptyBatch() noexcept
{
    if (m_batchWrites != 0 || !m_db) {
        return;
    }
    endBatch();
    if (!sqlite3_get_autocommit(m_db)) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    markBatchClosed();
}

void Session::markBatchClosed() noexcept
{
    if (m_batchWrites >= 0) {
        --openBatches;
    }
    m_batchWrites = -1;
}

void Session::commitBatchesOnFile(bool includingThis)
{
    const int open = openBatches.load();
    if (open == 0 || (open == 1 && inBatch() && !includingThis)) {
        return;
    }
    std::vector<Session*> batches;
    {
        const std::lock_guard lock(registry().mutex);
        for (Session* other : registry().sessions) {
            if (other->inBatch() && (includingThis || other != this) &&
                other->m_thread == m_thread && other->m_canonicalPath == m_canonicalPath) {
                batches.push_back(other);
            }
        }
    }
    for (Session* session : batches) {
        session->commitBatch();
    }
}

// When the program goes back to its event loop (or lets pending events run), the batch is
// committed: the user may quit or another program may want the file from then on.
void Session::scheduleBatchCommit()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() != application->thread()) {
        return;
    }
    QMetaObject::invokeMethod(
        application,
        [session = weak_from_this()] {
            if (const auto self = session.lock()) {
                try {
                    self->commitBatch();
                } catch (const vb::Error&) {
                    // Stays open; the next statement on the file commits it or reports why not.
                }
            }
        },
        Qt::QueuedConnection);
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
