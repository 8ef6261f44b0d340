#pragma once

// Byte-level forms of registry data shared by the registry module and the settings class:
// zero-terminated text and 32-bit numbers in either byte order.

#include <cstdint>
#include <QByteArray>
#include <QString>

namespace common {

// The text of REG_SZ data: UTF-8, less one terminating zero when there is one (data written
// without it loses nothing).
QString textFromRegData(const QByteArray& data);
// REG_SZ data for a text: UTF-8 plus one terminating zero.
QByteArray regDataFromText(const QString& text);

// A 32-bit number from up to four bytes; missing bytes count as zero, extra bytes are ignored.
std::int32_t littleEndianLong(const QByteArray& data);
std::int32_t bigEndianLong(const QByteArray& data);
QByteArray littleEndianBytes(std::int32_t value);
QByteArray bigEndianBytes(std::int32_t value);

} // namespace common
