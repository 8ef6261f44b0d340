#pragma once

// Small writers of ELF and PE images for the tests: layouts our toolchain does not produce
// (32-bit, big-endian, segment-only notes) and hostile resource trees.

#include <cstdint>
#include <QByteArray>
#include <QString>
#include <vector>

namespace testimages {

struct ElfNote
{
    QByteArray owner; // without its NUL
    uint32_t type = 0;
    QByteArray desc;
};

struct ElfLayout
{
    bool is64 = true;
    bool bigEndian = false;
    uint16_t type = 3; // ET_DYN
    bool interpreter = false;
    bool sectionHeaders = true;
    int noteAlign = 4;
    std::vector<ElfNote> notes = {};
};

QByteArray elfImage(const ElfLayout& layout);

// A PE32+ image with one section at RVA 0x1000, file offset 0x200, holding the resource tree
// RT_VERSION / 1 / 0x0409 (directories at section offsets 0, 24, 48, the data entry at 72)
// and `version` at section offset 88.
QByteArray peImage(const QByteArray& version);

// One VS_VERSIONINFO-style block; `children` must already be blocks.
QByteArray versionBlock(const QString& key, const QByteArray& value, uint16_t type,
                        const QByteArray& children = {});
QByteArray utf16z(const QString& text);

} // namespace testimages
