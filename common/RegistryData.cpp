#include "RegistryData.h"

namespace common {

namespace {

// The four bytes, least significant first, with missing ones as zero.
std::uint32_t assemble(const QByteArray& data, bool bigEndian)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const int index = bigEndian ? 3 - i : i;
        const auto byte =
            index < data.size() ? static_cast<std::uint8_t>(data.at(index)) : std::uint8_t{0};
        value |= static_cast<std::uint32_t>(byte) << (8 * i);
    }
    return value;
}

QByteArray bytes(std::int32_t value, bool bigEndian)
{
    const auto bits = static_cast<std::uint32_t>(value);
    QByteArray data(4, '\0');
    for (int i = 0; i < 4; ++i)
        data[bigEndian ? 3 - i : i] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
    return data;
}

} // namespace

QString textFromRegData(const QByteArray& data)
{
    if (data.endsWith('\0'))
        return QString::fromUtf8(data.constData(), data.size() - 1);
    return QString::fromUtf8(data);
}

QByteArray regDataFromText(const QString& text)
{
    QByteArray data = text.toUtf8();
    data.append('\0');
    return data;
}

std::int32_t littleEndianLong(const QByteArray& data)
{
    return static_cast<std::int32_t>(assemble(data, false));
}

std::int32_t bigEndianLong(const QByteArray& data)
{
    return static_cast<std::int32_t>(assemble(data, true));
}

QByteArray littleEndianBytes(std::int32_t value)
{
    return bytes(value, false);
}

QByteArray bigEndianBytes(std::int32_t value)
{
    return bytes(value, true);
}

} // namespace common
