#include "VersionResource.h"

#include "ByteReader.h"

namespace verinfo {

namespace {

constexpr uint64_t kBlockHeaderSize = 6; // wLength, wValueLength, wType
constexpr uint64_t kFixedFileInfoSize = 13 * 4;
constexpr uint16_t kTextValue = 1;

uint64_t aligned(uint64_t offset)
{
    return (offset + 3) & ~uint64_t{3};
}

// One block of the version resource: a key, an optional value and child blocks.
struct Block
{
    QString key;
    uint64_t valueOffset = 0;
    uint16_t valueLength = 0;
    uint16_t type = 0;
    uint64_t childrenOffset = 0;
    uint64_t end = 0;
};

class ResourceParser
{
public:
    explicit ResourceParser(QByteArrayView data) : m_reader(data) {}

    std::optional<VersionInfo> parse() const
    {
        const auto root = block(0, m_reader.size());
        if (!root || root->key != QLatin1String("VS_VERSION_INFO"))
            return std::nullopt;
        VersionInfo info;
        if (root->valueLength >= kFixedFileInfoSize)
            info.fixed = fixedFileInfo(root->valueOffset);
        forEachChild(*root, [&](const Block& child) {
            if (child.key == QLatin1String("StringFileInfo"))
                readStringFileInfo(child, info);
            else if (child.key == QLatin1String("VarFileInfo"))
                readVarFileInfo(child, info);
        });
        return info;
    }

private:
    // The block at `offset`, its extent clamped to `limit`.
    std::optional<Block> block(uint64_t offset, uint64_t limit) const
    {
        const auto length = m_reader.u16(offset);
        if (!length || *length < kBlockHeaderSize || offset + kBlockHeaderSize > limit)
            return std::nullopt;
        Block result;
        result.end = std::min<uint64_t>(offset + *length, limit);
        result.valueLength = *m_reader.u16(offset + 2);
        result.type = *m_reader.u16(offset + 4);
        uint64_t pos = offset + kBlockHeaderSize;
        result.key = text(pos, result.end, &pos);
        result.valueOffset = aligned(pos);
        const uint64_t valueBytes =
            result.type == kTextValue ? uint64_t{result.valueLength} * 2 : result.valueLength;
        result.childrenOffset = aligned(result.valueOffset + valueBytes);
        return result;
    }

    // Children follow each other, each aligned to 4 bytes; a zero or short length ends them.
    template <typename Visit>
    void forEachChild(const Block& parent, Visit visit) const
    {
        uint64_t pos = parent.childrenOffset;
        while (pos < parent.end) {
            const auto child = block(pos, parent.end);
            if (!child)
                return;
            visit(*child);
            pos = aligned(child->end); // a child is at least 6 bytes long: always advances
        }
    }

    // UTF-16 text from `offset` up to a NUL or `limit`; `next` receives the offset after
    // the NUL.
    QString text(uint64_t offset, uint64_t limit, uint64_t* next = nullptr) const
    {
        QString result;
        uint64_t pos = offset;
        while (pos + 2 <= limit) {
            const auto unit = m_reader.u16(pos);
            pos += 2;
            if (!unit || *unit == 0)
                break;
            result.append(QChar(*unit));
        }
        if (next)
            *next = pos;
        return result;
    }

    FixedFileInfo fixedFileInfo(uint64_t offset) const
    {
        FixedFileInfo fixed;
        uint32_t* const fields[] = {
            &fixed.signature,     &fixed.strucVersion,     &fixed.fileVersionMS,
            &fixed.fileVersionLS, &fixed.productVersionMS, &fixed.productVersionLS,
            &fixed.fileFlagsMask, &fixed.fileFlags,        &fixed.fileOS,
            &fixed.fileType,      &fixed.fileSubtype,      &fixed.fileDateMS,
            &fixed.fileDateLS};
        if (m_reader.u32(offset) != FixedFileInfo::kSignature)
            return FixedFileInfo{};
        for (uint64_t i = 0; i < std::size(fields); ++i)
            *fields[i] = m_reader.u32(offset + i * 4).value_or(0);
        return fixed;
    }

    void readStringFileInfo(const Block& parent, VersionInfo& info) const
    {
        forEachChild(parent, [&](const Block& tableBlock) {
            StringTable table;
            table.key = tableBlock.key;
            table.translation = translationFromKey(tableBlock.key);
            forEachChild(tableBlock, [&](const Block& string) {
                // A value runs to its NUL; a zero length means an empty value.
                const QString value =
                    string.valueLength == 0 ? QString() : text(string.valueOffset, string.end);
                table.strings.emplace_back(string.key, value);
            });
            info.stringTables.push_back(std::move(table));
        });
    }

    void readVarFileInfo(const Block& parent, VersionInfo& info) const
    {
        forEachChild(parent, [&](const Block& var) {
            if (var.key != QLatin1String("Translation"))
                return;
            const uint64_t end = std::min<uint64_t>(var.valueOffset + var.valueLength, var.end);
            for (uint64_t pos = var.valueOffset; pos + 4 <= end; pos += 4) {
                const auto language = m_reader.u16(pos);
                const auto codePage = m_reader.u16(pos + 2);
                if (language && codePage)
                    info.translations.push_back({*language, *codePage});
            }
        });
    }

    // "040904B0" -> language 0x0409, code page 0x04B0; zeros when the key is not 8 hex digits.
    static Translation translationFromKey(const QString& key)
    {
        bool ok = key.size() == 8;
        const uint language = ok ? key.left(4).toUInt(&ok, 16) : 0;
        const uint codePage = ok ? key.mid(4).toUInt(&ok, 16) : 0;
        if (!ok)
            return {};
        return {static_cast<uint16_t>(language), static_cast<uint16_t>(codePage)};
    }

    ByteReader m_reader;
};

} // namespace

std::optional<VersionInfo> parseVersionResource(QByteArrayView data)
{
    return ResourceParser(data).parse();
}

} // namespace verinfo
