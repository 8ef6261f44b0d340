#pragma once

// The SQLite file that keeps HKEY_CURRENT_USER: opening it (and noticing when it is damaged),
// short write transactions that wait for other processes, and the rows of keys and values.
// Not thread-safe by itself; the registry API serialises calls.

#include "Registry.h"

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

struct sqlite3;

namespace reg::detail {

// The root key (HKEY_CURRENT_USER itself) has no row; its children have parent 0.
inline constexpr qint64 kRootKeyId = 0;
inline constexpr qint64 kNoKey = -1;

struct ValueRecord
{
    QString name;
    ValueType type = REG_NONE;
    QByteArray data;
};

class Store
{
public:
    Store() = default;
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Follows storePath(): when it names another file than the open one, the connection is
    // closed and true is returned (key ids of the old file mean nothing in the new one).
    bool followPath();

    // Reads: a missing or still empty store is no error; it reads as an empty HKEY_CURRENT_USER
    // (`*absent` true). Writes: a missing store is created (mode 0600, folder included).
    Status openForRead(bool* absent);
    Status openForWrite();

    // Inside a batch (one transaction around many calls, for an import) begin() and commit()
    // only mark their place, and a rollback() after a change condemns the whole batch:
    // commitBatch() then keeps nothing.
    Status begin();
    Status commit();
    void rollback();
    Status beginBatch();
    Status commitBatch();
    void rollbackBatch();
    bool inBatch() const noexcept { return m_inBatch; }

    // A read transaction around several reads (nothing inside a batch, which is one already).
    Status beginRead();
    void endRead();

    Status keyExists(qint64 id, bool* exists);
    // `*child` is kNoKey when there is no such child.
    Status findChild(qint64 parent, const QString& name, qint64* child);
    Status addChild(qint64 parent, const QString& name, qint64* child);
    Status childCount(qint64 id, qint64* count);
    Status childAt(qint64 id, quint32 index, QString* name, bool* found);
    // All children of a key, as (id, name), in creation order.
    Status children(qint64 id, std::vector<std::pair<qint64, QString>>* children);
    // Removes the key's values and the key; the caller checks that it has no children.
    Status removeKey(qint64 id);
    Status keyPath(qint64 id, QString* path);
    Status keyInfo(qint64 id, KeyInfo* info);

    Status findValue(qint64 key, const QString& name, ValueRecord* value, bool* found);
    Status valueAt(qint64 key, quint32 index, ValueRecord* value, bool* found);
    // All values of a key in creation order.
    Status values(qint64 key, std::vector<ValueRecord>* values);
    // Replacing a value keeps its place in the enumeration and the case of its name.
    Status writeValue(qint64 key, const QString& name, ValueType type, const QByteArray& data);
    Status removeValue(qint64 key, const QString& name, bool* found);

private:
    Status connect(bool forWrite, bool* absent);
    Status createFile();
    Status validate();
    Status createSchema();
    Status execute(const char* sql, bool writing);
    // Turns an SQLite result into a status with a reason naming the store file.
    Status failure(int sqliteResult, bool writing);
    void close();

    QString m_path;
    sqlite3* m_db = nullptr;
    bool m_readOnly = false;
    bool m_hasSchema = false;
    bool m_inBatch = false;
    bool m_batchFailed = false;
    qint64 m_changesAtBegin = 0;
};

// A write transaction (BEGIN IMMEDIATE) that is rolled back unless committed.
class WriteTransaction
{
public:
    explicit WriteTransaction(Store& store) : m_store(store) {}
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    Status begin();
    Status commit();

private:
    Store& m_store;
    bool m_active = false;
};

} // namespace reg::detail
