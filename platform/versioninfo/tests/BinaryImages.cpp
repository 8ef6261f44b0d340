#include "BinaryImages.h"

#include <QString>

namespace testimages {

namespace {

class Writer
{
public:
    explicit Writer(bool bigEndian = false) : m_big(bigEndian) {}

    void u8(uint8_t v) { m_out.append(static_cast<char>(v)); }
    void u16(uint64_t v) { put(v, 2); }
    void u32(uint64_t v) { put(v, 4); }
    void u64(uint64_t v) { put(v, 8); }
    void word(bool is64, uint64_t v) { put(v, is64 ? 8 : 4); }
    void bytes(const QByteArray& b) { m_out.append(b); }
    void padTo(qsizetype size) { m_out.append(QByteArray(size - m_out.size(), '\0')); }
    void align(qsizetype a) { padTo((m_out.size() + a - 1) / a * a); }
    qsizetype size() const { return m_out.size(); }
    const QByteArray& data() const { return m_out; }

private:
    void put(uint64_t v, int width)
    {
        for (int i = 0; i < width; ++i) {
            const int shift = 8 * (m_big ? width - 1 - i : i);
            u8(static_cast<uint8_t>(v >> shift));
        }
    }

    bool m_big;
    QByteArray m_out;
};

QByteArray noteBytes(const ElfSpec& spec)
{
    Writer w(spec.bigEndian);
    for (const ElfNote& note : spec.notes) {
        w.u32(note.owner.size() + 1);
        w.u32(note.desc.size());
        w.u32(note.type);
        w.bytes(note.owner + '\0');
        w.align(static_cast<qsizetype>(spec.noteAlign));
        w.bytes(note.desc);
        w.align(static_cast<qsizetype>(spec.noteAlign));
    }
    return w.data();
}

} // namespace

QByteArray elfImage(const ElfSpec& spec)
{
    const bool w64 = spec.is64;
    const uint64_t ehsize = w64 ? 64 : 52, phentsize = w64 ? 56 : 32, shentsize = w64 ? 64 : 40;
    const uint64_t phnum = spec.interpreter ? 2 : 1;
    const QByteArray interp("/lib/ld.so", 11);
    const QByteArray notes = noteBytes(spec);
    const uint64_t interpOffset = ehsize + phnum * phentsize;
    const uint64_t noteOffset = (interpOffset + interp.size() + 7) / 8 * 8;
    const uint64_t shoff = (noteOffset + notes.size() + 7) / 8 * 8;

    Writer w(spec.bigEndian);
    w.bytes(QByteArray("\x7f"
                       "ELF",
                       4));
    w.u8(w64 ? 2 : 1);
    w.u8(spec.bigEndian ? 2 : 1);
    w.u8(1);
    w.padTo(16);
    w.u16(spec.type);
    w.u16(w64 ? 62 : 3);
    w.u32(1);
    w.word(w64, 0);                               // entry
    w.word(w64, ehsize);                          // phoff
    w.word(w64, spec.sectionHeaders ? shoff : 0); // shoff
    w.u32(0);                                     // flags
    w.u16(ehsize);                                // ehsize
    w.u16(phentsize);                             // phentsize
    w.u16(phnum);                                 // phnum
    w.u16(shentsize);                             // shentsize
    w.u16(spec.sectionHeaders ? 2 : 0);           // shnum
    w.u16(0);                                     // shstrndx

    const auto segment = [&](uint32_t type, uint64_t offset, uint64_t size, uint64_t align) {
        w.u32(type);
        if (w64)
            w.u32(4); // flags
        w.word(w64, offset);
        w.word(w64, offset);
        w.word(w64, offset);
        w.word(w64, size);
        w.word(w64, size);
        if (!w64)
            w.u32(4);
        w.word(w64, align);
    };
    if (spec.interpreter)
        segment(3, interpOffset, interp.size(), 1);
    segment(4, noteOffset, notes.size(), spec.noteAlign);
    w.padTo(interpOffset);
    w.bytes(interp);
    w.padTo(noteOffset);
    w.bytes(notes);
    if (spec.sectionHeaders) {
        w.padTo(shoff + shentsize); // section 0 is all zeros
        w.u32(0);                   // name
        w.u32(7);                   // SHT_NOTE
        w.word(w64, 2);             // flags: alloc
        w.word(w64, noteOffset);    // addr
        w.word(w64, noteOffset);    // offset
        w.word(w64, notes.size());  // size
        w.u32(0);
        w.u32(0);
        w.word(w64, spec.noteAlign);
        w.word(w64, 0);
    }
    return w.data();
}

QByteArray peImage(const QByteArray& rsrc, bool pe32Plus)
{
    constexpr uint32_t kRva = 0x1000, kRawOffset = 0x200;
    const uint16_t optionalSize = pe32Plus ? 240 : 224;
    Writer w;
    w.bytes("MZ");
    w.padTo(0x3C);
    w.u32(0x80);
    w.padTo(0x80);
    w.bytes(QByteArray("PE\0\0", 4));
    w.u16(pe32Plus ? 0x8664 : 0x14c); // machine
    w.u16(1);                         // sections
    w.padTo(0x80 + 4 + 16);
    w.u16(optionalSize);
    w.u16(0x2022);
    const qsizetype optional = w.size();
    w.u16(pe32Plus ? 0x20b : 0x10b);
    w.padTo(optional + (pe32Plus ? 108 : 92));
    w.u32(16); // data directories
    w.padTo(w.size() + 16);
    w.u32(kRva); // resource directory
    w.u32(static_cast<uint32_t>(rsrc.size()));
    w.padTo(optional + optionalSize);
    w.bytes(QByteArray(".rsrc\0\0\0", 8));
    w.u32(static_cast<uint32_t>(rsrc.size())); // virtual size
    w.u32(kRva);
    w.u32(static_cast<uint32_t>(rsrc.size())); // raw size
    w.u32(kRawOffset);
    w.padTo(kRawOffset);
    w.bytes(rsrc);
    return w.data();
}

QByteArray versionResourceSection(const QByteArray& version)
{
    // root -> (16) -> names -> (1) -> languages -> (0x409) -> data entry -> bytes
    const auto directory = [](Writer& w, uint32_t id, uint32_t target) {
        w.padTo(w.size() + 12);
        w.u16(0); // named entries
        w.u16(1); // id entries
        w.u32(id);
        w.u32(target);
    };
    Writer w;
    directory(w, 16, 0x80000000u | 24);
    directory(w, 1, 0x80000000u | 48);
    directory(w, 0x409, 72);
    w.u32(0x1000 + 88); // data RVA
    w.u32(static_cast<uint32_t>(version.size()));
    w.u32(0);
    w.u32(0);
    w.bytes(version);
    return w.data();
}

QByteArray utf16z(const QString& text)
{
    Writer w;
    for (const QChar c : text)
        w.u16(c.unicode());
    w.u16(0);
    return w.data();
}

QByteArray versionBlock(const QString& key, const QByteArray& value, uint16_t type,
                        const QByteArray& children)
{
    Writer body;
    body.padTo(6);
    body.bytes(utf16z(key));
    body.align(4);
    body.bytes(value);
    body.align(4);
    body.bytes(children);
    QByteArray out = body.data();
    const uint16_t length = static_cast<uint16_t>(out.size());
    const uint16_t valueLength = static_cast<uint16_t>(type == 1 ? value.size() / 2 : value.size());
    const uint16_t header[3] = {length, valueLength, type};
    for (int i = 0; i < 3; ++i) {
        out[2 * i] = static_cast<char>(header[i] & 0xFF);
        out[2 * i + 1] = static_cast<char>(header[i] >> 8);
    }
    return out;
}

} // namespace testimages
