#include "PeReader.h"

#include "ByteReader.h"
#include "VersionResource.h"

namespace verinfo {

namespace {

constexpr uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr uint16_t kMagicPe32 = 0x10b;
constexpr uint16_t kMagicPe32Plus = 0x20b;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint32_t kRtVersion = 16;
constexpr uint32_t kVsVersionInfoId = 1;
constexpr uint32_t kSubdirectoryBit = 0x80000000u;
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint64_t kDirectoryHeaderSize = 16;
constexpr uint64_t kEntrySize = 8;

struct Section
{
    uint32_t virtualAddress;
    uint32_t rawSize;
    uint32_t rawOffset;
};

class PeFile
{
public:
    explicit PeFile(QByteArrayView data) : m_reader(data) {}

    std::optional<QByteArrayView> versionResource()
    {
        const auto resourceRva = readHeaders();
        if (!resourceRva)
            return std::nullopt;
        // The tree's offsets are relative to its root; it ends with the raw data of its section.
        const auto root = sectionBytes(*resourceRva);
        if (!root)
            return std::nullopt;
        const ByteReader tree(*root);
        const auto names = subdirectory(tree, 0, kRtVersion, true);
        const auto languages =
            names ? subdirectory(tree, *names, kVsVersionInfoId, false) : std::nullopt;
        const auto leaf = languages ? firstEntry(tree, *languages) : std::nullopt;
        if (!leaf || (*leaf & kSubdirectoryBit))
            return std::nullopt;
        const auto dataRva = tree.u32(*leaf);
        const auto dataSize = tree.u32(*leaf + 4);
        if (!dataRva || !dataSize)
            return std::nullopt;
        const auto bytes = sectionBytes(*dataRva);
        if (!bytes || static_cast<uint64_t>(bytes->size()) < *dataSize)
            return std::nullopt;
        return bytes->first(*dataSize);
    }

private:
    // Reads the DOS, PE and optional headers and the section table; returns the resource
    // directory's RVA.
    std::optional<uint32_t> readHeaders()
    {
        const auto peOffset = m_reader.u32(0x3C);
        if (!peOffset || m_reader.u32(*peOffset) != kPeSignature)
            return std::nullopt;
        const uint64_t coff = *peOffset + 4ull;
        const auto sectionCount = m_reader.u16(coff + 2);
        const auto optionalSize = m_reader.u16(coff + 16);
        if (!sectionCount || !optionalSize)
            return std::nullopt;
        const uint64_t optional = coff + 20;
        const auto magic = m_reader.u16(optional);
        if (magic != kMagicPe32 && magic != kMagicPe32Plus)
            return std::nullopt;
        const uint64_t countField = magic == kMagicPe32 ? 92 : 108;
        const uint64_t directories = countField + 4;
        const uint64_t entry = directories + kResourceDirectoryIndex * 8;
        const auto count = m_reader.u32(optional + countField);
        if (!count || *count <= kResourceDirectoryIndex || entry + 8 > *optionalSize)
            return std::nullopt;
        const auto rva = m_reader.u32(optional + entry);
        if (!rva || *rva == 0)
            return std::nullopt;

        const uint64_t table = optional + *optionalSize;
        for (uint64_t i = 0; i < *sectionCount; ++i) {
            const uint64_t header = table + i * kSectionHeaderSize;
            if (!m_reader.fits(header, kSectionHeaderSize))
                return std::nullopt;
            m_sections.push_back({*m_reader.u32(header + 12), *m_reader.u32(header + 16),
                                  *m_reader.u32(header + 20)});
        }
        return rva;
    }

    // The file bytes from `rva` to the end of the raw data of the section that holds it.
    std::optional<QByteArrayView> sectionBytes(uint32_t rva) const
    {
        for (const Section& section : m_sections) {
            const uint64_t start = section.virtualAddress;
            if (rva < start || rva - start >= section.rawSize)
                continue;
            const uint64_t skip = rva - start;
            const auto raw = m_reader.slice(section.rawOffset, section.rawSize);
            if (!raw)
                return std::nullopt;
            return raw->sliced(static_cast<qsizetype>(skip));
        }
        return std::nullopt;
    }

    // Entry of the directory at `offset`: the one with `id`, or (unless `exact`) the first.
    // Returns the offset of what the entry points to; it must be a subdirectory.
    static std::optional<uint64_t> subdirectory(const ByteReader& tree, uint64_t offset,
                                                uint32_t id, bool exact)
    {
        const auto named = tree.u16(offset + 12);
        const auto ids = tree.u16(offset + 14);
        if (!named || !ids)
            return std::nullopt;
        const uint64_t first = offset + kDirectoryHeaderSize;
        std::optional<uint32_t> chosen;
        for (uint64_t i = 0; i < uint64_t{*named} + *ids; ++i) {
            const auto name = tree.u32(first + i * kEntrySize);
            const auto target = tree.u32(first + i * kEntrySize + 4);
            if (!name || !target)
                return std::nullopt;
            if (i == 0 && !exact)
                chosen = target;
            if (*name == id) { // named entries have the high bit set, so never match an id
                chosen = target;
                break;
            }
        }
        if (!chosen || !(*chosen & kSubdirectoryBit))
            return std::nullopt;
        return *chosen & ~kSubdirectoryBit;
    }

    // Offset of the first entry's target in the directory at `offset`, with its subdirectory
    // bit kept so that the caller can tell a data entry from a directory.
    static std::optional<uint32_t> firstEntry(const ByteReader& tree, uint64_t offset)
    {
        const auto named = tree.u16(offset + 12);
        const auto ids = tree.u16(offset + 14);
        if (!named || !ids || *named + *ids == 0)
            return std::nullopt;
        return tree.u32(offset + kDirectoryHeaderSize + 4);
    }

    ByteReader m_reader;
    std::vector<Section> m_sections;
};

} // namespace

std::optional<QByteArrayView> findVersionResource(QByteArrayView data)
{
    if (!looksLikePe(data))
        return std::nullopt;
    return PeFile(data).versionResource();
}

std::optional<VersionInfo> readPe(QByteArrayView data)
{
    const auto resource = findVersionResource(data);
    return resource ? parseVersionResource(*resource) : std::nullopt;
}

} // namespace verinfo
