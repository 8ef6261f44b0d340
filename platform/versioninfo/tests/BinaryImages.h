#pragma once

// Small writers of ELF and PE images for the tests, so that layouts our toolchain does not
// produce (32-bit, big-endian, segment-only notes, hostile resource trees) can be checked.

#include <cstdint>
#include <QByteArray>
#include <vector>

namespace testimages {

struct ElfNote
{
    QByteArray owner; // without the NUL
    uint32_t type = 0;
    QByteArray desc;
};

struct ElfSpec
{
    bool is64 = true;
    bool bigEndian = false;
    uint16_t type = 3; // ET_DYN
    bool interpreter = false;
    bool sectionHeaders = true;
    uint64_t noteAlign = 4;
    std::vector<ElfNote> notes;
};

QByteArray elfImage(const ElfSpec& spec);

// A PE image whose only section (".rsrc", at RVA 0x1000) holds `rsrc`; the resource directory
// points at the start of that section.
QByteArray peImage(const QByteArray& rsrc, bool pe32Plus = true);

// A resource section whose tree leads RT_VERSION / 1 / 0x0409 to `version`.
QByteArray versionResourceSection(const QByteArray& version);

// One VS_VERSIONINFO-style block with a text or binary value and children (already aligned).
QByteArray versionBlock(const QString& key, const QByteArray& value, uint16_t type,
                        const QByteArray& children = {});
QByteArray utf16z(const QString& text);

} // namespace testimages
