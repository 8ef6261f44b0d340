#pragma once

// One open SQLite handle to a database file, shared by a connection and the result sets it
// produced, so a result set never reads through a closed handle. A session is used only on the
// thread that opened it; its handle has no SQLite mutex of its own. Sessions register themselves
// per file: when a write is blocked by another connection of this process on the same thread,
// waiting cannot help (that connection cannot finish while we wait), so the lock is reported at
// once instead of after the lock timeout. Locks held by other processes or threads are waited
// for up to the timeout, then reported as the engine's "currently locked" error.
//
// Recordset writes are batched in one implicit write transaction per session, as Jet batches
// them, so a row-by-row loop does not commit every row. A batch is committed before anything
// else of this process uses the file: a statement or transaction of any connection on it
// (commitBatchesOnFile), a write of another session that finds the batch holding the lock, the
// close of the session, and by the recordset itself after a bounded number of rows or time.

#include <chrono>
#include <memory>
#include <QString>
#include <QtGlobal>
#include <thread>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace jet::detail {

class Session : public std::enable_shared_from_this<Session>
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

    // Commits a pending batch, rolls back what else is pending and closes the handle (at
    // once, or once the last statement of a result set still alive is finalized).
    void close() noexcept;

    // Opens the batch (BEGIN IMMEDIATE) unless one is open; false, opening nothing, while a
    // transaction of the connection's own is open. Raises the engine's error (busy) on failure.
    bool beginBatch();
    bool inBatch() const noexcept { return m_batchWrites >= 0; }
    // Counts one write into the batch; true when the batch has grown or aged enough to be
    // committed now.
    bool countBatchWrite();
    // Commits the batch, if any. Raises when the commit fails (the batch then stays open).
    void commitBatch();
    // Ends a batch that holds no write yet (after its first write failed).
    void dropEmptyBatch() noexcept;
    // Changes with every batch that begins: a reader that kept a statement open in one batch
    // knows whether it is still the same.
    quint64 batchNumber() const noexcept { return m_batchNumber; }
    // A statement kept stepping inside the batch (a recordset reading along the table) is
    // reset when the batch ends, so that it never holds an old snapshot of the file.
    void resetWhenBatchEnds(sqlite3_stmt* statement);
    void forgetStatement(sqlite3_stmt* statement) noexcept;
    // Commits the batches of every session of this thread on this file; `includingThis`
    // false leaves this session's own batch alone (its own reads see it anyway).
    void commitBatchesOnFile(bool includingThis = true);

private:
    static int busyHandler(void* context, int attempts);
    bool blockedBySameThread() const;
    void scheduleBatchCommit();
    void endBatch() noexcept;
    void markBatchClosed() noexcept;

    sqlite3* m_db;
    QString m_path;
    QString m_canonicalPath;
    std::thread::id m_thread;
    std::chrono::milliseconds m_lockTimeout;
    std::chrono::steady_clock::time_point m_busySince;
    int m_batchWrites = -1; // -1: no batch open
    quint64 m_batchNumber = 0;
    std::vector<sqlite3_stmt*> m_batchReaders;
    std::chrono::steady_clock::time_point m_batchSince;
};

} // namespace jet::detail
