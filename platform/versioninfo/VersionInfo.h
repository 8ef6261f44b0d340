#pragma once

// Version information of a binary: the fixed version block, the translations and the string
// tables, read from a Windows PE version resource or from the package metadata note that our
// own ELF binaries carry (see cmake/VersionInfo.cmake).

#include <cstdint>
#include <optional>
#include <QByteArrayView>
#include <QString>
#include <utility>
#include <vector>

namespace verinfo {

// The fixed block exactly as a Windows version resource stores it.
struct FixedFileInfo
{
    static constexpr uint32_t kSignature = 0xFEEF04BD;

    uint32_t signature = 0;
    uint32_t strucVersion = 0;
    uint32_t fileVersionMS = 0;
    uint32_t fileVersionLS = 0;
    uint32_t productVersionMS = 0;
    uint32_t productVersionLS = 0;
    uint32_t fileFlagsMask = 0;
    uint32_t fileFlags = 0;
    uint32_t fileOS = 0;
    uint32_t fileType = 0;
    uint32_t fileSubtype = 0;
    uint32_t fileDateMS = 0;
    uint32_t fileDateLS = 0;
};

// Well-known values of the fixed block.
inline constexpr uint32_t kFileTypeApp = 1;
inline constexpr uint32_t kFileTypeDll = 2;
inline constexpr uint32_t kFileOsUnknown = 0;
inline constexpr uint32_t kFileOsNtWin32 = 0x40004;

struct Translation
{
    uint16_t language = 0;
    uint16_t codePage = 0;

    friend bool operator==(const Translation&, const Translation&) = default;
};

// One string table: the strings of one language and code page, in file order.
struct StringTable
{
    QString key; // as stored, e.g. "040904B0"
    Translation translation;
    std::vector<std::pair<QString, QString>> strings;

    // Value of `name` (matched case-insensitively); empty when absent.
    QString value(const QString& name) const;
    bool contains(const QString& name) const;
};

struct VersionInfo
{
    FixedFileInfo fixed;
    std::vector<Translation> translations;
    std::vector<StringTable> stringTables;

    // Value of `key` from the table of the first translation, or from the first table when
    // no table matches it. Empty when absent.
    QString value(const QString& key) const;
    // Value of `key` from the table of exactly this translation; empty when absent.
    QString value(const QString& key, Translation translation) const;
    const StringTable* stringTable(Translation translation) const;
};

// "a.b.c.d" -> the two 32-bit halves of a fixed-block version (missing parts are 0).
std::pair<uint32_t, uint32_t> versionNumbers(const QString& text);

// nullopt means "no version information" (also for unreadable, truncated or malformed files).
std::optional<VersionInfo> readFile(const QString& path);
std::optional<VersionInfo> readBytes(QByteArrayView data);
// The running program (/proc/self/exe).
std::optional<VersionInfo> readOwn();
// CompanyName of the running program; "" when it has none. Read once, then cached.
QString ownCompanyName();

} // namespace verinfo
