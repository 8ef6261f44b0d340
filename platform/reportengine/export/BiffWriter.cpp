// BiffWriter: BIFF record bodies, record streams and string encodings.

#include "platform/reportengine/export/BiffWriter.h"

#include <bit>
#include <cstring>

namespace report {

namespace {

// Windows-1252 bytes 0x80-0x9F as Unicode (0 where the code page has no character).
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char windows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

bool fitsOneByte(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

} // namespace

BiffBody& BiffBody::u8(unsigned value)
{
    m_data.append(static_cast<char>(value & 0xFF));
    return *this;
}

BiffBody& BiffBody::u16(unsigned value)
{
    return u8(value).u8(value >> 8);
}

BiffBody& BiffBody::u32(std::uint32_t value)
{
    return u16(value & 0xFFFF).u16(value >> 16);
}

BiffBody& BiffBody::f64(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    return u32(static_cast<std::uint32_t>(bits)).u32(static_cast<std::uint32_t>(bits >> 32));
}

BiffBody& BiffBody::bytes(const QByteArray& data)
{
    m_data.append(data);
    return *this;
}

BiffBody& BiffBody::byteString(const QByteArray& text, int lengthBytes)
{
    if (lengthBytes == 1)
        u8(static_cast<unsigned>(text.size()));
    else
        u16(static_cast<unsigned>(text.size()));
    return bytes(text);
}

BiffBody& BiffBody::unicodeString(const QString& text, int lengthBytes)
{
    if (lengthBytes == 1)
        u8(static_cast<unsigned>(text.size()));
    else
        u16(static_cast<unsigned>(text.size()));
    if (fitsOneByte(text)) {
        u8(0);
        for (const QChar c : text)
            u8(c.unicode());
    } else {
        u8(1);
        for (const QChar c : text)
            u16(c.unicode());
    }
    return *this;
}

void BiffStream::record(std::uint16_t type, const BiffBody& body)
{
    BiffBody header;
    header.u16(type).u16(static_cast<unsigned>(body.size()));
    m_data.append(header.data());
    m_data.append(body.data());
}

void BiffStream::patchU32(qsizetype offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        m_data[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

QByteArray toWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes.append(windows1252(c.unicode()));
    return bytes;
}

} // namespace report
