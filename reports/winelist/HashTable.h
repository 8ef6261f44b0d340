#pragma once

// HashTable: a keyed store of values (plain values copied, objects kept by reference) with
// separate chaining over a bucket array and a slot list, free slots chained for reuse and the
// slot list grown in chunks. Keys and Values come in bucket order, each chain head to tail.
//
// A key is hashed over its bytes in the ANSI code page (Windows-1252); a key holding a character
// that code page cannot hold is hashed over its UTF-8 bytes instead. Errors: 1001 "Invalid key"
// (empty key), 457 (Add of a key already there), 5 (Remove of a missing key), 1001 "The Hash
// Table isn't empty" (IgnoreCase changed while the table holds keys).

#include "platform/vb/Variant.h"

#include <QByteArray>
#include <QString>
#include <vector>

class HashTable
{
public:
    HashTable();

    // Empties the table with new sizes; a size below 1 keeps the current one.
    void SetSize(qint32 hashSize, qint32 listSize = 0, qint32 chunkSize = 0);

    bool Exists(const QString& key) const;
    void Add(const QString& key, const vb::Variant& value);
    // A missing key reads as Empty.
    vb::Variant Item(const QString& key) const;
    // Stores the value (an object variant by reference), adding the key when missing.
    void setItem(const QString& key, const vb::Variant& value);
    void Remove(const QString& key);
    void RemoveAll();

    qint32 Count() const noexcept { return m_count; }
    std::vector<QString> Keys() const;
    std::vector<vb::Variant> Values() const;

    bool IgnoreCase() const noexcept { return m_ignoreCase; }
    void setIgnoreCase(bool ignoreCase);

    qint32 HashSize() const noexcept { return m_hashSize; }
    qint32 ListSize() const noexcept { return m_listSize; }
    qint32 ChunkSize() const noexcept { return m_chunkSize; }

    // The bucket of a key: the XOR of its bytes taken as 32-bit little-endian words, modulo
    // HashSize and never negative.
    static qint32 bucketOf(const QString& key, qint32 hashSize);
    // The bytes a key is hashed over.
    static QByteArray keyBytes(const QString& key);
    // The slot a key is stored in, 0 when it is not there (where slots are reused shows here).
    qint32 slotOf(const QString& key) const;

private:
    struct Slot
    {
        QString key;
        vb::Variant value;
        qint32 next = 0;
    };
    struct Found
    {
        qint32 bucket = 0;
        qint32 slot = 0;     // 0: not there
        qint32 previous = 0; // the slot before it in the chain, 0 when it is the head
    };

    QString storedKey(const QString& key) const;
    Found find(const QString& storedKey) const;
    qint32 create(const QString& storedKey, const Found& where);
    qint32 takeFreeSlot();
    void growSlots(qint32 count);

    std::vector<qint32> m_buckets;
    std::vector<Slot> m_slots; // slot 0 is never used
    qint32 m_freeHead = 0;
    qint32 m_count = 0;
    qint32 m_hashSize = 1024;
    qint32 m_listSize = 2048;
    qint32 m_chunkSize = 1024;
    bool m_ignoreCase = false;
};
