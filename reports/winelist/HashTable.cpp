// HashTable: lookup, slot management and the bucket-order walks.

#include "reports/winelist/HashTable.h"

#include "platform/vb/Error.h"
#include "platform/vb/StringFunctions.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kHashTableError = 1001;
const QString kSource = u"HashTable"_s;

} // namespace

HashTable::HashTable()
{
    SetSize(m_hashSize, m_listSize, m_chunkSize);
}

void HashTable::SetSize(qint32 hashSize, qint32 listSize, qint32 chunkSize)
{
    if (hashSize >= 1)
        m_hashSize = hashSize;
    if (listSize >= 1)
        m_listSize = listSize;
    if (chunkSize >= 1)
        m_chunkSize = chunkSize;
    m_buckets.assign(static_cast<size_t>(m_hashSize), 0);
    m_slots.assign(1, Slot{});
    m_freeHead = 0;
    m_count = 0;
    growSlots(m_listSize);
}

QByteArray HashTable::keyBytes(const QString& key)
{
    QByteArray bytes;
    bytes.reserve(key.size());
    for (const QChar ch : key) {
        const int code = vb::Asc(vb::Variant(QString(ch))).toLong();
        if (code == '?' && ch != u'?')
            return key.toUtf8(); // outside Windows-1252
        bytes.append(static_cast<char>(code));
    }
    return bytes;
}

qint32 HashTable::bucketOf(const QString& key, qint32 hashSize)
{
    const QByteArray bytes = keyBytes(key);
    const qsizetype words = (bytes.size() - 1) / 4 + 1;
    quint32 hash = 0;
    for (qsizetype word = 0; word < words; ++word) {
        quint32 value = 0;
        for (int byte = 0; byte < 4; ++byte) {
            const qsizetype at = word * 4 + byte;
            if (at < bytes.size())
                value |= quint32(static_cast<quint8>(bytes[at])) << (8 * byte);
        }
        hash ^= value;
    }
    const qint32 remainder = static_cast<qint32>(hash) % hashSize;
    return remainder < 0 ? remainder + hashSize : remainder;
}

QString HashTable::storedKey(const QString& key) const
{
    if (key.isEmpty())
        throw vb::Error(kHashTableError, u"Invalid key"_s, kSource);
    return m_ignoreCase ? vb::UCase(vb::Variant(key)).toString() : key;
}

HashTable::Found HashTable::find(const QString& stored) const
{
    Found found;
    found.bucket = bucketOf(stored, m_hashSize);
    for (qint32 slot = m_buckets[size_t(found.bucket)]; slot != 0;
         slot = m_slots[size_t(slot)].next) {
        if (m_slots[size_t(slot)].key == stored) {
            found.slot = slot;
            return found;
        }
        found.previous = slot;
    }
    return found;
}

void HashTable::growSlots(qint32 count)
{
    // New slots go in ascending order in front of the old free list.
    const qint32 first = static_cast<qint32>(m_slots.size());
    m_slots.resize(m_slots.size() + size_t(count));
    for (qint32 slot = first; slot < first + count - 1; ++slot)
        m_slots[size_t(slot)].next = slot + 1;
    m_slots[size_t(first + count - 1)].next = m_freeHead;
    m_freeHead = first;
}

qint32 HashTable::takeFreeSlot()
{
    if (m_freeHead == 0)
        growSlots(m_chunkSize);
    const qint32 slot = m_freeHead;
    m_freeHead = m_slots[size_t(slot)].next;
    return slot;
}

qint32 HashTable::create(const QString& stored, const Found& where)
{
    const qint32 slot = takeFreeSlot();
    ++m_count;
    m_slots[size_t(slot)] = Slot{stored, vb::Variant(), 0};
    if (where.previous == 0)
        m_buckets[size_t(where.bucket)] = slot; // the chain was empty
    else
        m_slots[size_t(where.previous)].next = slot;
    return slot;
}

bool HashTable::Exists(const QString& key) const
{
    return find(storedKey(key)).slot != 0;
}

qint32 HashTable::slotOf(const QString& key) const
{
    return find(storedKey(key)).slot;
}

void HashTable::Add(const QString& key, const vb::Variant& value)
{
    const QString stored = storedKey(key);
    const Found found = find(stored);
    if (found.slot != 0)
        throw vb::Error(vb::ErrorNumber::KeyAlreadyAssociated,
                        u"This key is already associated with an element of this collection"_s,
                        kSource);
    m_slots[size_t(create(stored, found))].value = value;
}

vb::Variant HashTable::Item(const QString& key) const
{
    const Found found = find(storedKey(key));
    return found.slot == 0 ? vb::Variant() : m_slots[size_t(found.slot)].value;
}

void HashTable::setItem(const QString& key, const vb::Variant& value)
{
    const QString stored = storedKey(key);
    const Found found = find(stored);
    const qint32 slot = found.slot != 0 ? found.slot : create(stored, found);
    m_slots[size_t(slot)].value = value;
}

void HashTable::Remove(const QString& key)
{
    const Found found = find(storedKey(key));
    if (found.slot == 0)
        throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                        u"Invalid procedure call or argument"_s, kSource);
    Slot& slot = m_slots[size_t(found.slot)];
    if (found.previous == 0)
        m_buckets[size_t(found.bucket)] = slot.next;
    else
        m_slots[size_t(found.previous)].next = slot.next;
    slot = Slot{QString(), vb::Variant(), m_freeHead};
    m_freeHead = found.slot;
    --m_count;
}

void HashTable::RemoveAll()
{
    SetSize(m_hashSize, m_listSize, m_chunkSize);
}

std::vector<QString> HashTable::Keys() const
{
    std::vector<QString> keys;
    keys.reserve(size_t(m_count));
    for (const qint32 head : m_buckets)
        for (qint32 slot = head; slot != 0; slot = m_slots[size_t(slot)].next)
            keys.push_back(m_slots[size_t(slot)].key);
    return keys;
}

std::vector<vb::Variant> HashTable::Values() const
{
    std::vector<vb::Variant> values;
    values.reserve(size_t(m_count));
    for (const qint32 head : m_buckets)
        for (qint32 slot = head; slot != 0; slot = m_slots[size_t(slot)].next)
            values.push_back(m_slots[size_t(slot)].value);
    return values;
}

void HashTable::setIgnoreCase(bool ignoreCase)
{
    if (m_count > 0)
        throw vb::Error(kHashTableError, u"The Hash Table isn't empty"_s, kSource);
    m_ignoreCase = ignoreCase;
}
