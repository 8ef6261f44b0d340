#include "Registry.h"

#include "HandleTable.h"
#include "KeyPath.h"
#include "KeyTree.h"
#include "LastError.h"
#include "Store.h"
#include "Transaction.h"

#include <cstring>
#include <mutex>
#include <utility>

namespace reg {

using detail::HandleTable;
using detail::kEmptyRootId;
using detail::kNoKey;
using detail::kRootKeyId;
using detail::OpenKey;
using detail::Store;
using detail::ValueRecord;
using detail::WriteTransaction;

namespace {

struct State
{
    std::mutex mutex;
    Store store;
    HandleTable handles;
};

State& state()
{
    static State instance;
    return instance;
}

// Holds the lock for one call and brings the store in line with storePath().
class Call
{
public:
    Call() : m_lock(state().mutex)
    {
        detail::clearLastError();
        if (store().followPath())
            handles().clear(); // handles of the previous store file are no longer valid
    }

    Store& store() { return state().store; }
    HandleTable& handles() { return state().handles; }

    // Finds the open key behind `handle` and checks that it was opened with `needed` rights.
    Status resolve(Hkey handle, AccessMask needed, OpenKey* key)
    {
        const std::optional<OpenKey> found = handles().find(handle);
        if (!found)
            return ERROR_INVALID_HANDLE;
        if ((found->access & needed) != needed)
            return ERROR_ACCESS_DENIED;
        *key = *found;
        return ERROR_SUCCESS;
    }

    // Opens the store for reading and confirms that the key was not deleted meanwhile (by
    // another handle or process). `*absent` is true when there is nothing stored yet.
    Status readable(const OpenKey& key, bool* absent)
    {
        if (const Status status = store().openForRead(absent); status != ERROR_SUCCESS)
            return status;
        if (*absent)
            return key.keyId == kRootKeyId ? ERROR_SUCCESS : ERROR_KEY_DELETED;
        return alive(key);
    }

    Status alive(const OpenKey& key)
    {
        bool exists = false;
        if (const Status status = store().keyExists(key.keyId, &exists); status != ERROR_SUCCESS)
            return status;
        return exists ? ERROR_SUCCESS : ERROR_KEY_DELETED;
    }

    // Follows `levels` down from `from`; `*found` is kNoKey when a level is missing.
    Status walk(qint64 from, const QStringList& levels, qint64* found)
    {
        qint64 current = from;
        for (const QString& level : levels) {
            if (const Status status = store().findChild(current, level, &current);
                status != ERROR_SUCCESS)
                return status;
            if (current == kNoKey)
                break;
        }
        *found = current;
        return ERROR_SUCCESS;
    }

    // The full name of `handle`'s key (and `subKey` below it) for messages.
    QString keyText(Hkey handle, const QString& subKey)
    {
        QString base = rootName(handle);
        if (base.isEmpty()) {
            const std::optional<OpenKey> found = handles().find(handle);
            QString path;
            bool absent = false;
            if (found && found->keyId >= kRootKeyId &&
                store().openForRead(&absent) == ERROR_SUCCESS && !absent &&
                store().keyPath(found->keyId, &path) == ERROR_SUCCESS)
                base = rootName(HKEY_CURRENT_USER) +
                       (path.isEmpty() ? QString() : QLatin1Char('\\') + path);
            else
                base = QStringLiteral("key handle 0x%1").arg(handle, 0, 16);
        }
        return subKey.isEmpty() ? base : base + QLatin1Char('\\') + subKey;
    }

    QString valueText(Hkey key, const QString& valueName)
    {
        return QStringLiteral("value \"%1\" of %2").arg(valueName, keyText(key, QString()));
    }

    // Records why the call failed: the precise reason met on the way, or else the status in
    // words for what `context()` says the call was doing. Clears the reason on success.
    template <typename Context>
    Status finish(Status status, Context context)
    {
        if (status == ERROR_SUCCESS || detail::hasLastError())
            return detail::explain(status, QString());
        const QString text = context();
        detail::clearLastError(); // describing the key must leave no reason of its own
        return detail::explain(status, text);
    }

private:
    std::unique_lock<std::mutex> m_lock;
};

Status openExisting(Call& call, Hkey parent, const QString& subKey, AccessMask access, Hkey* result)
{
    OpenKey base;
    if (const Status status = call.resolve(parent, 0, &base); status != ERROR_SUCCESS)
        return status;
    QStringList levels;
    if (const Status status = detail::splitKeyPath(subKey, &levels); status != ERROR_SUCCESS)
        return status;
    qint64 target = base.keyId;
    if (base.keyId == kEmptyRootId) {
        if (!levels.isEmpty())
            return ERROR_FILE_NOT_FOUND;
    } else {
        bool absent = false;
        if (const Status status = call.readable(base, &absent); status != ERROR_SUCCESS)
            return status;
        if (absent && !levels.isEmpty())
            return ERROR_FILE_NOT_FOUND;
        if (!absent) {
            if (const Status status = call.walk(base.keyId, levels, &target);
                status != ERROR_SUCCESS)
                return status;
            if (target == kNoKey)
                return ERROR_FILE_NOT_FOUND;
        }
    }
    *result = call.handles().add({target, detail::normaliseAccess(access)});
    return ERROR_SUCCESS;
}

// Every write opens the store for writing, starts one transaction and then checks, inside it,
// that the key was not deleted by another handle or process in the meantime.
Status beginWrite(Call& call, WriteTransaction& transaction, const OpenKey& key)
{
    if (const Status status = call.store().openForWrite(); status != ERROR_SUCCESS)
        return status;
    if (const Status status = transaction.begin(); status != ERROR_SUCCESS)
        return status;
    return call.alive(key);
}

Status createLevels(Call& call, const OpenKey& base, const QStringList& levels, qint64* target)
{
    WriteTransaction transaction(call.store());
    if (const Status status = beginWrite(call, transaction, base); status != ERROR_SUCCESS)
        return status;
    qint64 current = base.keyId;
    for (const QString& level : levels) {
        qint64 child = kNoKey;
        if (const Status status = call.store().findChild(current, level, &child);
            status != ERROR_SUCCESS)
            return status;
        if (child == kNoKey) {
            if (const Status status = call.store().addChild(current, level, &child);
                status != ERROR_SUCCESS)
                return status;
        }
        current = child;
    }
    if (const Status status = transaction.commit(); status != ERROR_SUCCESS)
        return status;
    *target = current;
    return ERROR_SUCCESS;
}

Status createOrOpen(Call& call, Hkey parent, const QString& subKey, AccessMask access, Hkey* result)
{
    OpenKey base;
    if (const Status status = call.resolve(parent, 0, &base); status != ERROR_SUCCESS)
        return status;
    QStringList levels;
    if (const Status status = detail::splitKeyPath(subKey, &levels); status != ERROR_SUCCESS)
        return status;
    if (base.keyId == kEmptyRootId && !levels.isEmpty())
        return ERROR_ACCESS_DENIED;
    qint64 target = base.keyId;
    // An existing key is only opened, so that a read-only store still hands out handles.
    bool absent = false;
    if (base.keyId != kEmptyRootId) {
        if (const Status status = call.readable(base, &absent); status != ERROR_SUCCESS)
            return status == ERROR_CANTREAD ? ERROR_CANTWRITE : status;
        target = absent && !levels.isEmpty() ? kNoKey : base.keyId;
        if (!absent) {
            if (const Status status = call.walk(base.keyId, levels, &target);
                status != ERROR_SUCCESS)
                return status;
        }
    }
    if (target == kNoKey) {
        if (!(base.access & KEY_CREATE_SUB_KEY))
            return ERROR_ACCESS_DENIED;
        if (const Status status = createLevels(call, base, levels, &target);
            status != ERROR_SUCCESS)
            return status;
    }
    *result = call.handles().add({target, detail::normaliseAccess(access)});
    return ERROR_SUCCESS;
}

Status removeKey(Call& call, Hkey parent, const QString& subKey)
{
    OpenKey base;
    if (const Status status = call.resolve(parent, 0, &base); status != ERROR_SUCCESS)
        return status;
    QStringList levels;
    if (const Status status = detail::splitKeyPath(subKey, &levels); status != ERROR_SUCCESS)
        return status;
    if (base.keyId == kEmptyRootId)
        return levels.isEmpty() ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
    if (levels.isEmpty() && base.keyId == kRootKeyId)
        return ERROR_ACCESS_DENIED; // a root cannot be deleted
    bool absent = false;
    if (const Status status = call.readable(base, &absent); status != ERROR_SUCCESS)
        return status;
    if (absent)
        return ERROR_FILE_NOT_FOUND;
    WriteTransaction transaction(call.store());
    if (const Status status = beginWrite(call, transaction, base); status != ERROR_SUCCESS)
        return status;
    qint64 target = kNoKey;
    if (const Status status = call.walk(base.keyId, levels, &target); status != ERROR_SUCCESS)
        return status;
    if (target == kNoKey)
        return ERROR_FILE_NOT_FOUND;
    qint64 children = 0;
    if (const Status status = call.store().childCount(target, &children); status != ERROR_SUCCESS)
        return status;
    if (children > 0) {
        detail::setLastError(QStringLiteral("Key %1 still has %2 sub-key(s); delete them first")
                                 .arg(call.keyText(parent, subKey))
                                 .arg(children));
        return ERROR_ACCESS_DENIED;
    }
    if (const Status status = call.store().removeKey(target); status != ERROR_SUCCESS)
        return status;
    return transaction.commit();
}

Status readValue(Call& call, Hkey key, const QString& valueName, ValueRecord* value)
{
    OpenKey open;
    if (const Status status = call.resolve(key, KEY_QUERY_VALUE, &open); status != ERROR_SUCCESS)
        return status;
    if (open.keyId == kEmptyRootId)
        return ERROR_FILE_NOT_FOUND;
    bool absent = false;
    if (const Status status = call.readable(open, &absent); status != ERROR_SUCCESS)
        return status;
    if (absent)
        return ERROR_FILE_NOT_FOUND;
    bool found = false;
    if (const Status status = call.store().findValue(open.keyId, valueName, value, &found);
        status != ERROR_SUCCESS)
        return status;
    return found ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

Status copyOut(const ValueRecord& value, ValueType* type, std::uint8_t* data, std::uint32_t* size)
{
    if (type)
        *type = value.type;
    const auto needed = std::uint32_t(value.data.size());
    if (!data) {
        if (size)
            *size = needed;
        return ERROR_SUCCESS;
    }
    const bool fits = *size >= needed;
    if (fits && needed > 0)
        std::memcpy(data, value.data.constData(), needed);
    *size = needed;
    return fits ? ERROR_SUCCESS : ERROR_MORE_DATA;
}

Status writeValue(Call& call, Hkey key, const QString& valueName, ValueType type,
                  const QByteArray& data)
{
    OpenKey open;
    if (const Status status = call.resolve(key, KEY_SET_VALUE, &open); status != ERROR_SUCCESS)
        return status;
    if (open.keyId == kEmptyRootId)
        return ERROR_ACCESS_DENIED;
    WriteTransaction transaction(call.store());
    if (const Status status = beginWrite(call, transaction, open); status != ERROR_SUCCESS)
        return status;
    if (const Status status = call.store().writeValue(open.keyId, valueName, type, data);
        status != ERROR_SUCCESS)
        return status;
    return transaction.commit();
}

Status removeValue(Call& call, Hkey key, const QString& valueName)
{
    OpenKey open;
    if (const Status status = call.resolve(key, KEY_SET_VALUE, &open); status != ERROR_SUCCESS)
        return status;
    if (open.keyId == kEmptyRootId)
        return ERROR_FILE_NOT_FOUND;
    bool absent = false;
    if (const Status status = call.readable(open, &absent); status != ERROR_SUCCESS)
        return status;
    if (absent)
        return ERROR_FILE_NOT_FOUND;
    WriteTransaction transaction(call.store());
    if (const Status status = beginWrite(call, transaction, open); status != ERROR_SUCCESS)
        return status;
    bool found = false;
    if (const Status status = call.store().removeValue(open.keyId, valueName, &found);
        status != ERROR_SUCCESS)
        return status;
    if (!found)
        return ERROR_FILE_NOT_FOUND;
    return transaction.commit();
}

// Shared start of the enumeration calls: the open key, or ERROR_NO_MORE_ITEMS for an empty one.
Status enumerable(Call& call, Hkey key, AccessMask needed, OpenKey* open)
{
    if (const Status status = call.resolve(key, needed, open); status != ERROR_SUCCESS)
        return status;
    if (open->keyId == kEmptyRootId)
        return ERROR_NO_MORE_ITEMS;
    bool absent = false;
    if (const Status status = call.readable(*open, &absent); status != ERROR_SUCCESS)
        return status;
    return absent ? ERROR_NO_MORE_ITEMS : ERROR_SUCCESS;
}

Status nameOut(const QString& stored, QString* name, std::uint32_t nameCapacity)
{
    if (std::uint32_t(stored.size()) + 1 > nameCapacity)
        return ERROR_MORE_DATA;
    *name = stored;
    return ERROR_SUCCESS;
}

} // namespace

Status createKey(Hkey parent, const QString& subKey, Hkey* result)
{
    // RegCreateKey hands back the parent handle itself for an empty path.
    if (!subKey.isEmpty())
        return createKeyEx(parent, subKey, KEY_ALL_ACCESS, result);
    Call call;
    OpenKey base;
    Status status = result ? call.resolve(parent, 0, &base) : ERROR_INVALID_PARAMETER;
    if (status == ERROR_SUCCESS)
        *result = parent;
    return call.finish(
        status, [&] { return QStringLiteral("Opening %1").arg(call.keyText(parent, subKey)); });
}

Status createKeyEx(Hkey parent, const QString& subKey, AccessMask access, Hkey* result)
{
    Call call;
    const Status status =
        result ? createOrOpen(call, parent, subKey, access, result) : ERROR_INVALID_PARAMETER;
    return call.finish(status, [&] {
        return QStringLiteral("Creating key %1").arg(call.keyText(parent, subKey));
    });
}

Status openKeyEx(Hkey parent, const QString& subKey, AccessMask access, Hkey* result)
{
    Call call;
    const Status status =
        result ? openExisting(call, parent, subKey, access, result) : ERROR_INVALID_PARAMETER;
    return call.finish(
        status, [&] { return QStringLiteral("Opening key %1").arg(call.keyText(parent, subKey)); });
}

Status closeKey(Hkey key)
{
    Call call;
    const bool closed = HandleTable::isPredefined(key) || call.handles().remove(key);
    return call.finish(closed ? ERROR_SUCCESS : ERROR_INVALID_HANDLE,
                       [&] { return QStringLiteral("Closing key handle 0x%1").arg(key, 0, 16); });
}

Status deleteKey(Hkey parent, const QString& subKey)
{
    Call call;
    const Status status = removeKey(call, parent, subKey);
    return call.finish(status, [&] {
        return QStringLiteral("Deleting key %1").arg(call.keyText(parent, subKey));
    });
}

Status queryValueEx(Hkey key, const QString& valueName, ValueType* type, std::uint8_t* data,
                    std::uint32_t* size)
{
    Call call;
    ValueRecord value;
    Status status =
        data && !size ? ERROR_INVALID_PARAMETER : readValue(call, key, valueName, &value);
    if (status == ERROR_SUCCESS)
        status = copyOut(value, type, data, size);
    return call.finish(
        status, [&] { return QStringLiteral("Reading %1").arg(call.valueText(key, valueName)); });
}

Status setValueEx(Hkey key, const QString& valueName, ValueType type, const std::uint8_t* data,
                  std::uint32_t size)
{
    Call call;
    Status status = ERROR_INVALID_PARAMETER;
    if (data || size == 0) {
        const QByteArray bytes =
            size > 0 ? QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))
                     : QByteArray();
        status = writeValue(call, key, valueName, type, bytes);
    }
    return call.finish(
        status, [&] { return QStringLiteral("Writing %1").arg(call.valueText(key, valueName)); });
}

Status deleteValue(Hkey key, const QString& valueName)
{
    Call call;
    const Status status = removeValue(call, key, valueName);
    return call.finish(
        status, [&] { return QStringLiteral("Deleting %1").arg(call.valueText(key, valueName)); });
}

Status enumKeyEx(Hkey key, std::uint32_t index, QString* name, std::uint32_t nameCapacity)
{
    Call call;
    OpenKey open;
    Status status =
        name ? enumerable(call, key, KEY_ENUMERATE_SUB_KEYS, &open) : ERROR_INVALID_PARAMETER;
    if (status == ERROR_SUCCESS) {
        QString stored;
        bool found = false;
        status = call.store().childAt(open.keyId, index, &stored, &found);
        if (status == ERROR_SUCCESS)
            status = found ? nameOut(stored, name, nameCapacity) : ERROR_NO_MORE_ITEMS;
    }
    return call.finish(status, [&] {
        return QStringLiteral("Listing sub-key %1 of %2")
            .arg(index)
            .arg(call.keyText(key, QString()));
    });
}

Status enumValue(Hkey key, std::uint32_t index, QString* name, std::uint32_t nameCapacity,
                 ValueType* type, QByteArray* data)
{
    Call call;
    OpenKey open;
    Status status = name ? enumerable(call, key, KEY_QUERY_VALUE, &open) : ERROR_INVALID_PARAMETER;
    if (status == ERROR_SUCCESS) {
        ValueRecord value;
        bool found = false;
        status = call.store().valueAt(open.keyId, index, &value, &found);
        if (status == ERROR_SUCCESS)
            status = found ? nameOut(value.name, name, nameCapacity) : ERROR_NO_MORE_ITEMS;
        if (status == ERROR_SUCCESS) {
            if (type)
                *type = value.type;
            if (data)
                *data = value.data;
        }
    }
    return call.finish(status, [&] {
        return QStringLiteral("Listing value %1 of %2")
            .arg(index)
            .arg(call.keyText(key, QString()));
    });
}

Status queryInfoKey(Hkey key, KeyInfo* info)
{
    Call call;
    OpenKey open;
    Status status = info ? enumerable(call, key, KEY_QUERY_VALUE, &open) : ERROR_INVALID_PARAMETER;
    if (status == ERROR_NO_MORE_ITEMS) {
        *info = KeyInfo{};
        status = ERROR_SUCCESS;
    } else if (status == ERROR_SUCCESS) {
        status = call.store().keyInfo(open.keyId, info);
    }
    return call.finish(status, [&] {
        return QStringLiteral("Reading the size of %1").arg(call.keyText(key, QString()));
    });
}

Status queryKeyPath(Hkey key, QString* path)
{
    Call call;
    OpenKey open;
    Status status = path ? call.resolve(key, 0, &open) : ERROR_INVALID_PARAMETER;
    if (status == ERROR_SUCCESS && open.keyId != kEmptyRootId && open.keyId != kRootKeyId) {
        bool absent = false;
        status = call.readable(open, &absent);
        if (status == ERROR_SUCCESS)
            status = call.store().keyPath(open.keyId, path);
    } else if (status == ERROR_SUCCESS) {
        path->clear();
    }
    return call.finish(status, [&] {
        return QStringLiteral("Reading the path of %1").arg(call.keyText(key, QString()));
    });
}

Status beginTransaction()
{
    Call call;
    Status status = call.store().openForWrite();
    if (status == ERROR_SUCCESS)
        status = call.store().beginBatch();
    return call.finish(status, [] { return QStringLiteral("Starting a registry transaction"); });
}

Status commitTransaction()
{
    Call call;
    const Status status = call.store().commitBatch();
    return call.finish(status, [] { return QStringLiteral("Saving a registry transaction"); });
}

void rollbackTransaction()
{
    Call call;
    call.store().rollbackBatch();
}

namespace {

// Depth first, children in creation order, without recursion (keys may nest thousands deep).
Status readTree(Store& store, qint64 top, std::vector<TreeKey>* keys)
{
    std::vector<std::pair<qint64, QString>> pending{{top, QString()}};
    while (!pending.empty()) {
        auto [id, path] = std::move(pending.back());
        pending.pop_back();
        TreeKey key;
        key.path = path;
        std::vector<ValueRecord> values;
        if (const Status status = store.values(id, &values); status != ERROR_SUCCESS)
            return status;
        key.values.reserve(values.size());
        for (ValueRecord& value : values)
            key.values.push_back({std::move(value.name), value.type, std::move(value.data)});
        keys->push_back(std::move(key));
        std::vector<std::pair<qint64, QString>> children;
        if (const Status status = store.children(id, &children); status != ERROR_SUCCESS)
            return status;
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.emplace_back(child->first, path.isEmpty()
                                                   ? child->second
                                                   : path + QLatin1Char('\\') + child->second);
    }
    return ERROR_SUCCESS;
}

} // namespace

Status readKeyTree(Hkey key, std::vector<TreeKey>* keys)
{
    Call call;
    OpenKey open;
    Status status = keys ? enumerable(call, key, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &open)
                         : ERROR_INVALID_PARAMETER;
    if (status == ERROR_NO_MORE_ITEMS) {
        keys->push_back(TreeKey{});
        status = ERROR_SUCCESS;
    } else if (status == ERROR_SUCCESS) {
        status = call.store().beginRead();
        if (status == ERROR_SUCCESS) {
            status = readTree(call.store(), open.keyId, keys);
            call.store().endRead();
        }
    }
    return call.finish(status, [&] {
        return QStringLiteral("Reading the tree of %1").arg(call.keyText(key, QString()));
    });
}

} // namespace reg
