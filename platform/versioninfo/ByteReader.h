#pragma once

// Bounds-checked access to untrusted binary data. Every read says whether it fitted, so a
// parser never touches a byte outside the buffer whatever the offsets in the file claim.

#include <cstdint>
#include <optional>
#include <QByteArrayView>

namespace verinfo {

enum class ByteOrder
{
    Little,
    Big
};

class ByteReader
{
public:
    explicit ByteReader(QByteArrayView data, ByteOrder order = ByteOrder::Little)
        : m_data(data), m_order(order)
    {
    }

    uint64_t size() const { return static_cast<uint64_t>(m_data.size()); }
    ByteOrder order() const { return m_order; }
    QByteArrayView data() const { return m_data; }

    // True when [offset, offset + length) lies inside the data (overflow-safe).
    bool fits(uint64_t offset, uint64_t length) const
    {
        return offset <= size() && length <= size() - offset;
    }

    std::optional<uint8_t> u8(uint64_t offset) const
    {
        if (!fits(offset, 1))
            return std::nullopt;
        return static_cast<uint8_t>(m_data[static_cast<qsizetype>(offset)]);
    }
    std::optional<uint16_t> u16(uint64_t offset) const
    {
        return static_cast<std::optional<uint16_t>>(unsignedAt(offset, 2));
    }
    std::optional<uint32_t> u32(uint64_t offset) const
    {
        return static_cast<std::optional<uint32_t>>(unsignedAt(offset, 4));
    }
    std::optional<uint64_t> u64(uint64_t offset) const { return unsignedAt(offset, 8); }

    // The bytes [offset, offset + length), or nullopt when they do not fit.
    std::optional<QByteArrayView> slice(uint64_t offset, uint64_t length) const
    {
        if (!fits(offset, length))
            return std::nullopt;
        return m_data.sliced(static_cast<qsizetype>(offset), static_cast<qsizetype>(length));
    }

private:
    std::optional<uint64_t> unsignedAt(uint64_t offset, unsigned width) const
    {
        if (!fits(offset, width))
            return std::nullopt;
        uint64_t value = 0;
        for (unsigned i = 0; i < width; ++i) {
            const unsigned index = m_order == ByteOrder::Little ? width - 1 - i : i;
            value =
                (value << 8) | static_cast<uint8_t>(m_data[static_cast<qsizetype>(offset + index)]);
        }
        return value;
    }

    QByteArrayView m_data;
    ByteOrder m_order;
};

} // namespace verinfo
