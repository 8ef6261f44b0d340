#pragma once

// Registry_Management: reading and writing the product's own settings in the registry, and the
// typed conversion between registry data and program values.
//
// Settings are addressed by (root, section, value name) below the product key
// "Software\<company>\Quorvex", where the company is the CompanyName of the running program's
// version information. Reading never raises: whatever cannot be read gives the caller's default.
// Writing returns the registry's status code (0 = success) unchanged; only a value type that
// cannot be written raises vb::Error.

#include "platform/registry/Registry.h"
#include "platform/vb/Variant.h"

#include <cstdint>
#include <QByteArray>
#include <QString>

namespace Registry_Management {

// Values longer than this are not read; the caller's default applies.
inline constexpr std::uint32_t ReadBufferSize = 2048;

// "Software\Quillmere\Quorvex"; a segment that is empty (no company name) is left out together
// with its backslash.
QString ProductKeyPath();

QString GetProductSetting(reg::Hkey root, const QString& section, const QString& valueName,
                          const QString& defaultText);
reg::Status SaveProductSetting(reg::Hkey root, const QString& section, const QString& valueName,
                               const QString& text);

QString ReadRegistryValue(reg::Hkey root, const QString& keyPath, const QString& valueName,
                          const QString& defaultText);
reg::Status WriteRegistryString(reg::Hkey root, const QString& keyPath, const QString& valueName,
                                const QString& text);

// Create (with missing parents) or open a key; the caller closes `key` with reg::closeKey.
reg::Status CreateRegKey(reg::Hkey parent, const QString& keyPath, reg::Hkey& key);
reg::Status OpenRegKey(reg::Hkey parent, const QString& keyPath, reg::AccessMask access,
                       reg::Hkey& key);

// Reads one value into `value` (converted by RegDataToValue); `value` is untouched on failure.
reg::Status QueryRegValue(reg::Hkey key, const QString& valueName, vb::Variant& value);
// Writes `value` as `type` (0: chosen by the value, see ValueToRegData). Raises vb::Error for a
// type that cannot be written, before anything is written.
reg::Status SetRegValue(reg::Hkey key, const QString& valueName, reg::ValueType type,
                        const vb::Variant& value);

// Registry data to a value: REG_SZ as text (less its terminating zero), REG_EXPAND_SZ as text
// with environment variables expanded, REG_DWORD and REG_DWORD_BIG_ENDIAN as Long, REG_MULTI_SZ
// as the text before the first pair of zeros; REG_BINARY and other types give Empty. Only the
// first `length` bytes of `data` count.
vb::Variant RegDataToValue(const QByteArray& data, std::uint32_t length, reg::ValueType type);

// A value to registry data (its length is the array's size). Type 0 chooses: Integer, Long,
// Boolean and Byte values become REG_DWORD, everything else REG_SZ, and `type` is set to the
// choice. Text is written as UTF-8 with one terminating zero; numbers as four bytes. REG_BINARY,
// REG_MULTI_SZ and other types raise vb::Error (5, invalid procedure call or argument).
QByteArray ValueToRegData(const vb::Variant& value, reg::ValueType& type);

} // namespace Registry_Management
