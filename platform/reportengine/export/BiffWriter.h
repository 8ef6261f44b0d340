#pragma once

// The byte level of BIFF, the Excel binary file format: little-endian record bodies, records
// (type, length, body) appended to a stream, and the two string encodings: 8-bit text in the
// Windows-1252 code page (versions 2 to 7) and BIFF8's Unicode strings.

#include <cstdint>
#include <QByteArray>
#include <QString>

namespace report {

// A record body being built.
class BiffBody
{
public:
    BiffBody& u8(unsigned value);
    BiffBody& u16(unsigned value);
    BiffBody& u32(std::uint32_t value);
    BiffBody& f64(double value);
    BiffBody& bytes(const QByteArray& data);
    // An 8-bit string after its length (1 or 2 bytes, per `lengthBytes`).
    BiffBody& byteString(const QByteArray& text, int lengthBytes);
    // A BIFF8 string: length (1 or 2 bytes), option flags, then the characters, compressed to
    // one byte each when all are below U+0100.
    BiffBody& unicodeString(const QString& text, int lengthBytes);

    const QByteArray& data() const noexcept { return m_data; }
    qsizetype size() const noexcept { return m_data.size(); }

private:
    QByteArray m_data;
};

// A record stream: BIFF2-7 records hold at most 2,080 bytes of body, BIFF8 records 8,224.
class BiffStream
{
public:
    explicit BiffStream(int version) : m_version(version) {}

    int version() const noexcept { return m_version; }
    qsizetype position() const noexcept { return m_data.size(); }
    int maxBody() const noexcept { return m_version >= 8 ? 8224 : 2080; }

    void record(std::uint16_t type, const BiffBody& body = {});
    // Overwrites 4 bytes at `offset` (a stream position filled in once it is known).
    void patchU32(qsizetype offset, std::uint32_t value);
    void append(const QByteArray& bytes) { m_data.append(bytes); }

    const QByteArray& data() const noexcept { return m_data; }

private:
    int m_version;
    QByteArray m_data;
};

// Text in Windows-1252; characters it lacks become "?".
QByteArray toWindows1252(const QString& text);

} // namespace report
