#pragma once

// Reading a key with all its sub-keys and values at once: one read of the store, in time
// linear in its size, where enumerating by index costs a scan per item.

#include "Registry.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace reg {

struct TreeValue
{
    QString name;
    ValueType type = REG_NONE;
    QByteArray data;
};

struct TreeKey
{
    QString path; // below the key read, "\\"-separated; empty for that key itself
    std::vector<TreeValue> values;
};

// The open key `key` and all its sub-keys, depth first, each level in creation order (the
// order enumKeyEx and enumValue give), with their values in creation order.
Status readKeyTree(Hkey key, std::vector<TreeKey>* keys);

} // namespace reg
