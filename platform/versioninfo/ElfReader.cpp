#include "ElfReader.h"

#include "ByteReader.h"
#include "PackageMetadata.h"

namespace verinfo {

namespace {

constexpr uint8_t kClass32 = 1;
constexpr uint8_t kClass64 = 2;
constexpr uint8_t kDataLittle = 1;
constexpr uint8_t kDataBig = 2;
constexpr uint16_t kTypeExec = 2;
constexpr uint16_t kTypeDyn = 3;
constexpr uint32_t kShtNote = 7;
constexpr uint32_t kPtInterp = 3;
constexpr uint32_t kPtNote = 4;

// Where the header fields of each ELF class live.
struct Layout
{
    bool is64;
    uint64_t phoff, shoff, phentsize, phnum, shentsize, shnum;
    uint64_t shType, shOffset, shSize, shAlign, shMinSize;
    uint64_t phOffset, phFilesz, phAlign, phMinSize;
};

constexpr Layout kLayout32{false, 28, 32, 42, 44, 46, 48, 4, 16, 20, 32, 40, 4, 16, 28, 32};
constexpr Layout kLayout64{true, 32, 40, 54, 56, 58, 60, 4, 24, 32, 48, 64, 8, 32, 48, 56};

// A note area of the file: where it is and how its entries are padded.
struct NoteArea
{
    uint64_t offset;
    uint64_t size;
    uint64_t align;
};

class ElfFile
{
public:
    ElfFile(QByteArrayView data, ByteOrder order, const Layout& layout)
        : m_reader(data, order), m_layout(layout)
    {
    }

    std::optional<VersionInfo> read() const
    {
        // Sections first; segments still serve when section headers are missing or damaged.
        std::vector<NoteArea> areas = noteSections();
        const std::vector<NoteArea> segments = noteSegments();
        areas.insert(areas.end(), segments.begin(), segments.end());
        for (const NoteArea& area : areas) {
            if (const auto json = packageNote(area))
                return fromPackageMetadata(*json, fileType());
        }
        return std::nullopt;
    }

private:
    std::optional<uint64_t> word(uint64_t offset) const
    {
        if (m_layout.is64)
            return m_reader.u64(offset);
        const auto value = m_reader.u32(offset);
        return value ? std::optional<uint64_t>(*value) : std::nullopt;
    }

    // Note sections from the section headers; none when those are missing or unusable.
    std::vector<NoteArea> noteSections() const
    {
        std::vector<NoteArea> areas;
        const auto shoff = word(m_layout.shoff);
        const auto entsize = m_reader.u16(m_layout.shentsize);
        auto count = m_reader.u16(m_layout.shnum).value_or(0);
        if (!shoff || *shoff == 0 || !entsize || *entsize < m_layout.shMinSize)
            return areas;
        uint64_t total = count;
        if (count == 0) // extended numbering: the count is in section 0's size
            total = word(*shoff + m_layout.shSize).value_or(0);
        for (uint64_t i = 0; i < total; ++i) {
            const uint64_t header = *shoff + i * *entsize;
            if (!m_reader.fits(header, *entsize))
                break; // also bounds a hostile count by the file size
            if (m_reader.u32(header + m_layout.shType) != kShtNote)
                continue;
            areas.push_back({word(header + m_layout.shOffset).value_or(0),
                             word(header + m_layout.shSize).value_or(0),
                             word(header + m_layout.shAlign).value_or(4)});
        }
        return areas;
    }

    template <typename Visit>
    void forEachSegment(Visit visit) const
    {
        const auto phoff = word(m_layout.phoff);
        const auto entsize = m_reader.u16(m_layout.phentsize);
        const auto count = m_reader.u16(m_layout.phnum);
        if (!phoff || *phoff == 0 || !entsize || *entsize < m_layout.phMinSize || !count)
            return;
        for (uint64_t i = 0; i < *count; ++i) {
            const uint64_t header = *phoff + i * *entsize;
            if (!m_reader.fits(header, *entsize))
                return;
            visit(header, m_reader.u32(header).value_or(0));
        }
    }

    std::vector<NoteArea> noteSegments() const
    {
        std::vector<NoteArea> areas;
        forEachSegment([&](uint64_t header, uint32_t type) {
            if (type == kPtNote)
                areas.push_back({word(header + m_layout.phOffset).value_or(0),
                                 word(header + m_layout.phFilesz).value_or(0),
                                 word(header + m_layout.phAlign).value_or(4)});
        });
        return areas;
    }

    bool hasInterpreter() const
    {
        bool found = false;
        forEachSegment([&](uint64_t, uint32_t type) { found = found || type == kPtInterp; });
        return found;
    }

    // Programs are executables or position-independent executables (with an interpreter);
    // other shared objects are libraries.
    uint32_t fileType() const
    {
        const uint16_t type = m_reader.u16(16).value_or(0);
        if (type == kTypeExec || (type == kTypeDyn && hasInterpreter()))
            return kFileTypeApp;
        return type == kTypeDyn ? kFileTypeDll : 0;
    }

    // The descriptor of the first FDO package metadata note in the area.
    std::optional<QByteArrayView> packageNote(const NoteArea& area) const
    {
        const auto bytes = m_reader.slice(area.offset, area.size);
        if (!bytes)
            return std::nullopt;
        const ByteReader notes(*bytes, m_reader.order());
        const uint64_t align = area.align == 8 ? 8 : 4;
        const auto padded = [align](uint64_t n) { return (n + align - 1) / align * align; };
        uint64_t pos = 0;
        while (notes.fits(pos, 12)) {
            const uint64_t namesz = *notes.u32(pos);
            const uint64_t descsz = *notes.u32(pos + 4);
            const uint32_t type = *notes.u32(pos + 8);
            // Padding counts from the start of the note (8-byte notes pad the name to 8).
            const uint64_t name = pos + 12;
            const uint64_t desc = padded(name + namesz);
            if (!notes.fits(name, namesz) || !notes.fits(desc, descsz))
                return std::nullopt;
            if (type == kPackageMetadataNoteType && namesz == 4 &&
                notes.slice(name, 4) == QByteArrayView("FDO\0", 4))
                return notes.slice(desc, descsz);
            pos = desc + padded(descsz); // always advances by at least 12 bytes
        }
        return std::nullopt;
    }

    ByteReader m_reader;
    const Layout& m_layout;
};

} // namespace

std::optional<VersionInfo> readElf(QByteArrayView data)
{
    const ByteReader header(data);
    if (!looksLikeElf(data) || !header.fits(0, 52))
        return std::nullopt;
    const uint8_t elfClass = *header.u8(4);
    const uint8_t encoding = *header.u8(5);
    if ((elfClass != kClass32 && elfClass != kClass64) ||
        (encoding != kDataLittle && encoding != kDataBig))
        return std::nullopt;
    const ByteOrder order = encoding == kDataLittle ? ByteOrder::Little : ByteOrder::Big;
    return ElfFile(data, order, elfClass == kClass64 ? kLayout64 : kLayout32).read();
}

} // namespace verinfo
