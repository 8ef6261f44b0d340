#include "CFileVersionInfo.h"

#include "LanguageName.h"
#include "NativePath.h"

#include <array>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::array<const char*, CFileVersionInfo::kPredefinedCount> kPredefinedNames = {
    "Language",          "Comments",         "Company Name",    "File Description",
    "File Version",      "Internal Name",    "Legal Copyright", "Legal Trademarks",
    "Original Filename", "Product Name",     "Product Version", "Private Build",
    "Special Build",     "LegalTrademarks1", "LegalTrademarks2"};

// The string-table names read for PredefinedValue 1..14.
constexpr std::array<const char*, CFileVersionInfo::kPredefinedCount> kStringNames = {
    "",
    "Comments",
    "CompanyName",
    "FileDescription",
    "FileVersion",
    "InternalName",
    "LegalCopyright",
    "LegalTrademarks",
    "OriginalFilename",
    "ProductName",
    "ProductVersion",
    "PrivateBuild",
    "SpecialBuild",
    "LegalTrademarks1",
    "LegalTrademarks2"};

constexpr std::uint16_t kUsEnglish = 0x0409;

QString twoDigits(std::uint32_t value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

QString flagWords(std::uint32_t flags)
{
    static const std::array<const char*, 6> words = {"Debug ",   "PreRel ", "Patched ",
                                                     "Private ", "Info ",   "Special "};
    QString text;
    for (std::size_t bit = 0; bit < words.size(); ++bit) {
        if ((flags & (1u << bit)) != 0)
            text += QLatin1String(words[bit]);
    }
    return text.trimmed();
}

QString osName(std::uint32_t os)
{
    switch (os) {
    case 0x10001:
        return QStringLiteral("DOS-Win16");
    case 0x10004:
        return QStringLiteral("DOS-Win32");
    case 0x20002:
        return QStringLiteral("OS/2-16 PM-16");
    case 0x30003:
        return QStringLiteral("OS/2-16 PM-32");
    case 0x40004:
        return QStringLiteral("NT-Win32");
    default:
        return QStringLiteral("Unknown");
    }
}

QString typeName(std::uint32_t type)
{
    switch (type) {
    case 1:
        return QStringLiteral("Application");
    case 2:
        return QStringLiteral("DLL");
    case 3:
        return QStringLiteral("Driver");
    case 4:
        return QStringLiteral("Font");
    case 5:
        return QStringLiteral("VxD");
    case 7:
        return QStringLiteral("Lib");
    default:
        return QStringLiteral("Unknown");
    }
}

QString subTypeName(std::uint32_t type, std::uint32_t subType)
{
    static const std::array<const char*, 11> drivers = {
        "Unknown",     "Printer drv", "Keyboard drv", "Language drv", "Display drv", "Mouse drv",
        "Network drv", "System drv",  "Installable",  "Sound drv",    "Comm drv"};
    static const std::array<const char*, 4> fonts = {"", "Raster Font", "Vector Font",
                                                     "TrueType Font"};
    if (type == 3 && subType < drivers.size())
        return QLatin1String(drivers[subType]);
    if (type == 4 && subType >= 1 && subType < fonts.size())
        return QLatin1String(fonts[subType]);
    return QString();
}

// Only Windows PE files and ELF files carry version information; the first bytes tell.
bool mayCarryVersionInfo(const char* head, ssize_t length)
{
    return (length >= 2 && head[0] == 'M' && head[1] == 'Z') ||
           (length >= 4 && std::memcmp(head,
                                       "\x7F"
                                       "ELF",
                                       4) == 0);
}

// The version information of a regular file. Most files are neither PE nor ELF and cost one
// small read; the others are read through a mapping, so a large file costs only the pages the
// reader touches.
std::optional<verinfo::VersionInfo> readOpenVersionInfo(int fd)
{
    std::optional<verinfo::VersionInfo> info;
    char head[4] = {};
    struct stat facts = {};
    // The first bytes decide; pread fails on folders and pipes, so only regular files (and
    // devices, which a walk never hands in) get as far as the size check.
    if (mayCarryVersionInfo(head, pread(fd, head, sizeof head, 0)) && fstat(fd, &facts) == 0 &&
        S_ISREG(facts.st_mode)) {
        const auto size = static_cast<std::size_t>(facts.st_size);
        void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (mapped != MAP_FAILED) {
            info = verinfo::readBytes(
                QByteArrayView(static_cast<const char*>(mapped), static_cast<qsizetype>(size)));
            munmap(mapped, size);
        }
    }
    return info;
}

} // namespace

QString CFileVersionInfo::FullPathName() const
{
    return analyser::pathText(m_path);
}

void CFileVersionInfo::setFullPathName(const QString& path)
{
    setNativePath(analyser::nativePath(path));
}

void CFileVersionInfo::setNativePath(const QByteArray& path)
{
    if (path.isEmpty())
        return;
    const QByteArray absolute = analyser::absolutePath(path);
    if (absolute.isEmpty())
        return;
    m_path = absolute;
    Refresh();
}

QString CFileVersionInfo::formatVersion(std::uint32_t mostSignificant,
                                        std::uint32_t leastSignificant)
{
    const std::uint32_t major = mostSignificant >> 16;
    const std::uint32_t minor = mostSignificant & 0xFFFF;
    const std::uint32_t build = leastSignificant >> 16;
    const std::uint32_t revision = leastSignificant & 0xFFFF;
    const QString last = build < 1 ? QString::number(revision).rightJustified(4, QLatin1Char('0'))
                                   : twoDigits(build) + twoDigits(revision);
    return QString::number(major) + QLatin1Char('.') + twoDigits(minor) + QLatin1Char('.') + last;
}

QString CFileVersionInfo::PredefinedName(int index)
{
    if (index < 0 || index >= kPredefinedCount)
        return QString();
    return QLatin1String(kPredefinedNames[static_cast<std::size_t>(index)]);
}

QString CFileVersionInfo::PredefinedValue(int index) const
{
    if (index == 0)
        return m_language;
    return string(index);
}

QString CFileVersionInfo::string(int index) const
{
    if (index < 1 || index >= kPredefinedCount)
        return QString();
    return m_strings[index];
}

void CFileVersionInfo::clear()
{
    m_available = false;
    m_verStructure.clear();
    m_verFile.clear();
    m_verProduct.clear();
    m_fileFlags.clear();
    m_fileOS.clear();
    m_fileType.clear();
    m_fileSubType.clear();
    m_language.clear();
    for (QString& value : m_strings)
        value.clear();
}

void CFileVersionInfo::setNativePathAt(int folderFd, const QByteArray& folderPath,
                                       const QByteArray& name)
{
    m_path = folderPath + name;
    refreshAt(folderFd, name.constData());
}

void CFileVersionInfo::Refresh()
{
    refreshAt(AT_FDCWD, m_path.constData());
}

void CFileVersionInfo::setOpenFile(int fd, const QByteArray& path)
{
    m_path = path;
    clear();
    readOpenFile(fd);
}

void CFileVersionInfo::refreshAt(int folderFd, const char* path)
{
    clear();
    if (m_path.isEmpty())
        return;
    // Not blocking: opening a pipe must not wait for a writer.
    const int fd = openat(folderFd, path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return;
    readOpenFile(fd);
    close(fd);
}

void CFileVersionInfo::readOpenFile(int fd)
{
    const std::optional<verinfo::VersionInfo> info = readOpenVersionInfo(fd);
    if (!info)
        return;
    m_available = true;
    readFixedBlock(info->fixed);
    readStrings(*info);
}

void CFileVersionInfo::readFixedBlock(const verinfo::FixedFileInfo& fixed)
{
    m_verStructure = QString::number(fixed.strucVersion >> 16) + QLatin1Char('.') +
                     QString::number(fixed.strucVersion & 0xFFFF);
    m_verFile = formatVersion(fixed.fileVersionMS, fixed.fileVersionLS);
    m_verProduct = formatVersion(fixed.productVersionMS, fixed.productVersionLS);
    m_fileFlags = flagWords(fixed.fileFlags);
    m_fileOS = osName(fixed.fileOS);
    m_fileType = typeName(fixed.fileType);
    m_fileSubType = subTypeName(fixed.fileType, fixed.fileSubtype);
}

void CFileVersionInfo::readStrings(const verinfo::VersionInfo& info)
{
    verinfo::Translation translation;
    if (!info.translations.empty()) {
        translation = info.translations.front();
        m_language = analyser::languageName(translation.language);
    }
    // Resources often name a language in their translation table but keep their strings
    // under US English only: when the named table has no company, that one is used.
    const QString company = QStringLiteral("CompanyName");
    if (info.value(company, translation).isEmpty()) {
        const verinfo::Translation english{kUsEnglish, translation.codePage};
        if (!info.value(company, english).isEmpty())
            translation = english;
    }
    for (int index = 1; index < kPredefinedCount; ++index) {
        m_strings[index] =
            info.value(QLatin1String(kStringNames[static_cast<std::size_t>(index)]), translation);
    }
}
