#include "Registry.h"

namespace reg {
namespace {

// Removes everything below the open key `key`: its sub-keys depth first, then its values.
Status clearKey(Hkey key)
{
    QString child;
    Status status = ERROR_SUCCESS;
    // Always take the first sub-key: the list shrinks as sub-keys go.
    while ((status = enumKeyEx(key, 0, &child, 256)) == ERROR_SUCCESS) {
        if (const Status removed = deleteTree(key, child); removed != ERROR_SUCCESS)
            return removed;
    }
    if (status != ERROR_NO_MORE_ITEMS)
        return status;
    QString name;
    while ((status = enumValue(key, 0, &name, 16384, nullptr, nullptr)) == ERROR_SUCCESS) {
        if (const Status removed = deleteValue(key, name); removed != ERROR_SUCCESS)
            return removed;
    }
    return status == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : status;
}

} // namespace

Status deleteTree(Hkey parent, const QString& subKey)
{
    Hkey key = 0;
    const Status opened = openKeyEx(parent, subKey, KEY_ALL_ACCESS, &key);
    if (opened != ERROR_SUCCESS)
        return opened;
    const Status cleared = clearKey(key);
    closeKey(key);
    if (cleared != ERROR_SUCCESS || subKey.isEmpty())
        return cleared;
    return deleteKey(parent, subKey);
}

} // namespace reg
