#pragma once

// The contents of a registry file (.reg): key blocks with their values, as read from the store
// for an export or parsed from a file for an import.

#include "Registry.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace regedit {

struct RegValue
{
    QString name; // empty: the default value ("@")
    reg::ValueType type = reg::REG_SZ;
    QByteArray data;     // as stored: strings are UTF-8 with their terminating zero
    bool remove = false; // "name"=- in an imported file
};

struct RegKeyBlock
{
    QString path;        // full name with its root, e.g. HKEY_CURRENT_USER\Software\Quillmere
    bool remove = false; // [-path] in an imported file
    std::vector<RegValue> values;
};

using RegFile = std::vector<RegKeyBlock>;

} // namespace regedit
