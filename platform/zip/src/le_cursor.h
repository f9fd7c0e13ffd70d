// Bounds-checked little-endian reads at named offsets of a header held in memory. Every field of
// an untrusted archive is read through this; a read past the end is damaged data, not a crash.
#pragma once

#include <System/Exception.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cvq::zip {

class LeCursor {
public:
    LeCursor(const void* data, std::size_t size) : m_data(static_cast<const std::uint8_t*>(data)), m_size(size) {}
    explicit LeCursor(std::string_view bytes) : LeCursor(bytes.data(), bytes.size()) {}

    std::size_t Size() const { return m_size; }

    std::uint16_t U16(std::size_t offset) const
    {
        Need(offset, 2);
        return static_cast<std::uint16_t>(m_data[offset] | (m_data[offset + 1] << 8));
    }

    std::uint32_t U32(std::size_t offset) const
    {
        Need(offset, 4);
        return static_cast<std::uint32_t>(m_data[offset]) | (static_cast<std::uint32_t>(m_data[offset + 1]) << 8) |
               (static_cast<std::uint32_t>(m_data[offset + 2]) << 16) |
               (static_cast<std::uint32_t>(m_data[offset + 3]) << 24);
    }

    std::uint64_t U64(std::size_t offset) const
    {
        return static_cast<std::uint64_t>(U32(offset)) | (static_cast<std::uint64_t>(U32(offset + 4)) << 32);
    }

    std::string_view Bytes(std::size_t offset, std::size_t count) const
    {
        Need(offset, count);
        return {reinterpret_cast<const char*>(m_data + offset), count};
    }

    LeCursor Sub(std::size_t offset, std::size_t count) const
    {
        Need(offset, count);
        return {m_data + offset, count};
    }

private:
    void Need(std::size_t offset, std::size_t count) const
    {
        if (offset > m_size || count > m_size - offset) {
            throw System::IO::InvalidDataException("header field beyond the end of its record");
        }
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
};

} // namespace cvq::zip
