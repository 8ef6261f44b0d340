#pragma once

// The per-user registry: HKEY_CURRENT_USER kept in one SQLite file, behind an API shaped like
// the advapi32 subset the suite uses. Every call returns a Windows status code, so code written
// against the Windows registry reads the same here.
//
// Texts ("ANSI" in the Windows API) are UTF-8 on this platform: key and value names are passed as
// QString; string data is written by callers as the bytes they choose (UTF-8 plus the terminating
// zero) and is stored and returned byte for byte.

#include <cstdint>
#include <QByteArray>
#include <QString>
#include <vector>

namespace reg {

using Hkey = std::uint32_t;
using Status = std::int32_t;
using AccessMask = std::uint32_t;
using ValueType = std::uint32_t;

// Predefined roots. Only HKEY_CURRENT_USER is kept; the others open as empty, read-only roots.
inline constexpr Hkey HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr Hkey HKEY_CURRENT_USER = 0x80000001u;
inline constexpr Hkey HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr Hkey HKEY_USERS = 0x80000003u;

// Status codes.
inline constexpr Status ERROR_SUCCESS = 0;
inline constexpr Status ERROR_FILE_NOT_FOUND = 2;
inline constexpr Status ERROR_ACCESS_DENIED = 5;
inline constexpr Status ERROR_INVALID_HANDLE = 6;
inline constexpr Status ERROR_INVALID_PARAMETER = 87;
inline constexpr Status ERROR_BAD_PATHNAME = 161; // a key path with an empty level, as "a\\b"
inline constexpr Status ERROR_MORE_DATA = 234;
inline constexpr Status ERROR_NO_MORE_ITEMS = 259;
inline constexpr Status ERROR_BADDB = 1009; // the store file is damaged
inline constexpr Status ERROR_KEY_DELETED = 1018;
inline constexpr Status ERROR_CANTREAD = 1012;  // the store cannot be read
inline constexpr Status ERROR_CANTWRITE = 1013; // the store cannot be written

// Access masks.
inline constexpr AccessMask KEY_QUERY_VALUE = 0x0001;
inline constexpr AccessMask KEY_SET_VALUE = 0x0002;
inline constexpr AccessMask KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr AccessMask KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr AccessMask KEY_NOTIFY = 0x0010;
inline constexpr AccessMask KEY_CREATE_LINK = 0x0020;
inline constexpr AccessMask DELETE_ACCESS = 0x00010000;
inline constexpr AccessMask READ_CONTROL = 0x00020000;
inline constexpr AccessMask KEY_READ = 0x20019;
inline constexpr AccessMask KEY_WRITE = 0x20006;
inline constexpr AccessMask KEY_ALL_ACCESS = 0xF003F;

// Value types.
inline constexpr ValueType REG_NONE = 0;
inline constexpr ValueType REG_SZ = 1;
inline constexpr ValueType REG_EXPAND_SZ = 2;
inline constexpr ValueType REG_BINARY = 3;
inline constexpr ValueType REG_DWORD = 4;
inline constexpr ValueType REG_DWORD_BIG_ENDIAN = 5;
inline constexpr ValueType REG_LINK = 6;
inline constexpr ValueType REG_MULTI_SZ = 7;
inline constexpr ValueType REG_QWORD = 11;

// Keys. Paths use "\" and may name several levels; names compare case-insensitively and keep
// the case they were created with. RegCreateKey creates missing parents.
Status createKey(Hkey parent, const QString& subKey, Hkey* result); // RegCreateKeyA
Status createKeyEx(Hkey parent, const QString& subKey, AccessMask access,
                   Hkey* result); // RegCreateKeyExA
Status openKeyEx(Hkey parent, const QString& subKey, AccessMask access,
                 Hkey* result); // RegOpenKeyExA
Status closeKey(Hkey key);      // RegCloseKey
// Deletes a key without sub-keys; a key with sub-keys gives ERROR_ACCESS_DENIED, as on Windows.
Status deleteKey(Hkey parent, const QString& subKey); // RegDeleteKeyA
// Deletes a key with all its sub-keys and values, depth first; with an empty `subKey` the key
// itself stays and only its contents go.
Status deleteTree(Hkey parent, const QString& subKey); // RegDeleteTreeA

// Values. `data` may be null to ask for type and size only; when `*size` is smaller than the
// stored data the call returns ERROR_MORE_DATA and sets `*size` to the size needed.
Status queryValueEx(Hkey key, const QString& valueName, ValueType* type, std::uint8_t* data,
                    std::uint32_t* size); // RegQueryValueExA
Status setValueEx(Hkey key, const QString& valueName, ValueType type, const std::uint8_t* data,
                  std::uint32_t size);                  // RegSetValueExA
Status deleteValue(Hkey key, const QString& valueName); // RegDeleteValueA

// Enumeration in creation order. `nameCapacity` counts characters including the terminating
// zero, as on Windows: a name that does not fit gives ERROR_MORE_DATA.
Status enumKeyEx(Hkey key, std::uint32_t index, QString* name,
                 std::uint32_t nameCapacity); // RegEnumKeyExA
Status enumValue(Hkey key, std::uint32_t index, QString* name, std::uint32_t nameCapacity,
                 ValueType* type, QByteArray* data); // RegEnumValueA

struct KeyInfo
{
    std::uint32_t subKeys = 0;
    std::uint32_t maxSubKeyLength = 0; // characters, without the terminating zero
    std::uint32_t values = 0;
    std::uint32_t maxValueNameLength = 0;
    std::uint32_t maxValueLength = 0; // bytes
};
Status queryInfoKey(Hkey key, KeyInfo* info); // RegQueryInfoKeyA

// ExpandEnvironmentStringsA: %NAME% replaced by the variable's value; unknown names and a lone
// "%" stay as written.
QString expandEnvironmentStrings(const QString& text);

// The full path of an open key below its root, in the case the keys were created with
// ("Software\\Quillmere\\Quorvex"; empty for a root).
Status queryKeyPath(Hkey key, QString* path);

// Root names as the registry editor writes them ("HKEY_CURRENT_USER"); the short forms
// ("HKCU", "HKLM", "HKCR", "HKU") are accepted when parsing. `splitRootPath` takes a full key name
// such as "HKEY_CURRENT_USER\\Software\\Quillmere" apart; false when it names no known root.
QString rootName(Hkey root);
bool splitRootPath(const QString& fullPath, Hkey* root, QString* subKey);

// Why the last failing call of this thread failed, in words (which key or value, what went
// wrong with the store file and what to do). Empty after a call that succeeded.
QString lastErrorText();

// Where HKEY_CURRENT_USER is kept: $QUORVEX_REGISTRY, else $XDG_CONFIG_HOME (or ~/.config)
// + "/quorvex/registry.db".
QString storePath();

} // namespace reg
