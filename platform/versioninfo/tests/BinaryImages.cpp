#include "BinaryImages.h"

namespace testimages {

namespace {

class Writer
{
public:
    explicit Writer(bool bigEndian = false) : m_big(bigEndian) {}

    Writer& put(uint64_t value, int width)
    {
        for (int i = 0; i < width; ++i)
            m_out.append(static_cast<char>(value >> (8 * (m_big ? width - 1 - i : i))));
        return *this;
    }
    Writer& u16(uint64_t v) { return put(v, 2); }
    Writer& u32(uint64_t v) { return put(v, 4); }
    Writer& bytes(const QByteArray& b) { return m_out.append(b), *this; }
    Writer& padTo(qsizetype size) { return bytes(QByteArray(size - m_out.size(), '\0')); }
    Writer& align(qsizetype a) { return padTo((m_out.size() + a - 1) / a * a); }
    QByteArray data() const { return m_out; }

private:
    bool m_big;
    QByteArray m_out;
};

} // namespace

QByteArray elfImage(const ElfLayout& layout)
{
    const int word = layout.is64 ? 8 : 4;
    const int ehsize = layout.is64 ? 64 : 52, phent = layout.is64 ? 56 : 32;
    const int shent = layout.is64 ? 64 : 40, phnum = layout.interpreter ? 2 : 1;
    Writer notes(layout.bigEndian);
    for (const ElfNote& note : layout.notes) {
        notes.u32(note.owner.size() + 1).u32(note.desc.size()).u32(note.type);
        notes.bytes(note.owner + '\0').align(layout.noteAlign);
        notes.bytes(note.desc).align(layout.noteAlign);
    }
    const QByteArray noteBytes = notes.data();
    const int interpOffset = ehsize + phnum * phent, noteOffset = interpOffset + 16;
    const int shoff = (noteOffset + noteBytes.size() + 7) / 8 * 8;

    Writer w(layout.bigEndian);
    w.bytes(QByteArray("\x7f"
                       "ELF",
                       4))
        .put(layout.is64 ? 2 : 1, 1)
        .put(layout.bigEndian ? 2 : 1, 1)
        .put(1, 1)
        .padTo(16);
    w.u16(layout.type).u16(62).u32(1).put(0, word).put(ehsize, word);
    w.put(layout.sectionHeaders ? shoff : 0, word).u32(0).u16(ehsize).u16(phent).u16(phnum);
    w.u16(shent).u16(layout.sectionHeaders ? 2 : 0).u16(0);
    const auto segment = [&](uint32_t type, uint64_t offset, uint64_t size, uint64_t align) {
        w.u32(type);
        if (layout.is64)
            w.u32(4);
        w.put(offset, word).put(offset, word).put(offset, word).put(size, word).put(size, word);
        if (!layout.is64)
            w.u32(4);
        w.put(align, word);
    };
    if (layout.interpreter)
        segment(3, interpOffset, 11, 1);
    segment(4, noteOffset, noteBytes.size(), layout.noteAlign);
    w.bytes("/lib/ld.so").padTo(noteOffset).bytes(noteBytes);
    if (layout.sectionHeaders) {
        w.padTo(shoff + shent).u32(0).u32(7).put(2, word).put(noteOffset, word);
        w.put(noteOffset, word).put(noteBytes.size(), word).u32(0).u32(0);
        w.put(layout.noteAlign, word).put(0, word);
    }
    return w.data();
}

QByteArray peImage(const QByteArray& version)
{
    Writer section; // three directories of one entry each, a data entry, the data
    for (const auto& [id, target] : {std::pair{16u, 0x80000018u}, {1u, 0x80000030u}, {0x409u, 72u}})
        section.padTo(section.data().size() + 12).u16(0).u16(1).u32(id).u32(target);
    section.u32(0x1000 + 88).u32(version.size()).u32(0).u32(0).bytes(version);
    const QByteArray rsrc = section.data();

    Writer w;
    w.bytes("MZ").padTo(0x3C).u32(0x80).padTo(0x80).bytes(QByteArray("PE\0\0", 4));
    w.u16(0x8664).u16(1).padTo(0x80 + 20).u16(240).u16(0x2022);    // one section
    w.u16(0x20b).padTo(0x98 + 108).u32(16).padTo(0x98 + 112 + 16); // 16 data directories
    w.u32(0x1000).u32(rsrc.size()).padTo(0x98 + 240);              // the resource directory
    w.bytes(QByteArray(".rsrc\0\0\0", 8)).u32(rsrc.size()).u32(0x1000).u32(rsrc.size());
    w.u32(0x200).padTo(0x200).bytes(rsrc);
    return w.data();
}

QByteArray utf16z(const QString& text)
{
    Writer w;
    for (const QChar c : text)
        w.u16(c.unicode());
    return w.u16(0).data();
}

QByteArray versionBlock(const QString& key, const QByteArray& value, uint16_t type,
                        const QByteArray& children)
{
    Writer block;
    block.u16(0).u16(type == 1 ? value.size() / 2 : value.size()).u16(type).bytes(utf16z(key));
    block.align(4).bytes(value).align(4).bytes(children);
    QByteArray out = block.data();
    out[0] = static_cast<char>(out.size() & 0xFF);
    out[1] = static_cast<char>(out.size() >> 8);
    return out;
}

} // namespace testimages
