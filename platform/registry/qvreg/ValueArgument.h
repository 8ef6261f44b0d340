#pragma once

// Registry values as qvreg reads them from and prints them to the command line.

#include "Registry.h"

#include <QByteArray>
#include <QString>

namespace reg::qvreg {

struct ValueArgument
{
    ValueType type = REG_SZ;
    QByteArray data;
};

// `typeName` is sz, expand_sz, dword, binary or multi_sz (also with a REG_ prefix, any case);
// empty means sz. Returns an error message, empty on success.
QString parseValueArgument(const QString& text, const QString& typeName, ValueArgument* value);

// The value as one text: strings without their terminating zero, numbers in decimal, multi-strings
// one per line, everything else as comma-separated hex bytes.
QString formatValue(ValueType type, const QByteArray& data);

// "REG_SZ", "REG_DWORD", ... or "REG_0x<n>" for types without a name.
QString typeName(ValueType type);

} // namespace reg::qvreg
