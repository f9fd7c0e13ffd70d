// Little-endian field writer for the headers the archive writer builds.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace cvq::zip {

class LeWriter {
public:
    LeWriter& U16(std::uint64_t v) { return Put(v, 2); }
    LeWriter& U32(std::uint64_t v) { return Put(v, 4); }
    LeWriter& U64(std::uint64_t v) { return Put(v, 8); }
    LeWriter& Bytes(std::string_view s)
    {
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
        return *this;
    }
    const std::vector<std::uint8_t>& Data() const { return m_bytes; }

private:
    LeWriter& Put(std::uint64_t v, int width)
    {
        for (int i = 0; i < width; ++i) m_bytes.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
        return *this;
    }
    std::vector<std::uint8_t> m_bytes;
};

} // namespace cvq::zip
