// Test-only parser that shows every header field of an archive our writer made (no comment, one
// disk), so tests can check flags, versions and Zip64 records byte by byte.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace testzip {

struct RawRecord {
    std::string name;
    std::uint16_t localVersion = 0, centralVersion = 0, localFlags = 0, centralFlags = 0, method = 0;
    std::uint16_t dosTime = 0, dosDate = 0;
    std::uint32_t crc = 0, localCompressed32 = 0, localSize32 = 0, compressed32 = 0, size32 = 0, offset32 = 0;
    std::uint32_t externalAttributes = 0;
    std::string localExtra, centralExtra;
    std::uint64_t offset = 0, compressedSize = 0, size = 0;  // after Zip64
    std::string compressed;
};

struct RawListing {
    std::vector<RawRecord> records;
    bool zip64End = false;
    std::uint16_t endCount = 0;
    std::uint32_t endDirectoryOffset = 0;
};

inline std::uint64_t Get(const std::string& b, std::size_t at, int width)
{
    if (at + static_cast<std::size_t>(width) > b.size()) throw std::runtime_error("raw read out of bounds");
    std::uint64_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

inline RawListing Parse(const std::string& b)
{
    RawListing out;
    const std::size_t end = b.size() - 22;
    if (Get(b, end, 4) != 0x06054b50) throw std::runtime_error("no end record");
    out.endCount = static_cast<std::uint16_t>(Get(b, end + 10, 2));
    out.endDirectoryOffset = static_cast<std::uint32_t>(Get(b, end + 16, 4));
    std::uint64_t count = out.endCount, dirOffset = out.endDirectoryOffset;
    if (end >= 20 && Get(b, end - 20, 4) == 0x07064b50) {
        out.zip64End = true;
        const std::size_t rec = static_cast<std::size_t>(Get(b, end - 12, 8));
        if (Get(b, rec, 4) != 0x06064b50) throw std::runtime_error("no Zip64 end record");
        count = Get(b, rec + 32, 8);
        dirOffset = Get(b, rec + 48, 8);
    }
    std::size_t at = static_cast<std::size_t>(dirOffset);
    for (std::uint64_t i = 0; i < count; ++i) {
        if (Get(b, at, 4) != 0x02014b50) throw std::runtime_error("no central header");
        RawRecord r;
        r.centralVersion = static_cast<std::uint16_t>(Get(b, at + 6, 2));
        r.centralFlags = static_cast<std::uint16_t>(Get(b, at + 8, 2));
        r.method = static_cast<std::uint16_t>(Get(b, at + 10, 2));
        r.dosTime = static_cast<std::uint16_t>(Get(b, at + 12, 2));
        r.dosDate = static_cast<std::uint16_t>(Get(b, at + 14, 2));
        r.crc = static_cast<std::uint32_t>(Get(b, at + 16, 4));
        r.compressed32 = static_cast<std::uint32_t>(Get(b, at + 20, 4));
        r.size32 = static_cast<std::uint32_t>(Get(b, at + 24, 4));
        const std::size_t n = Get(b, at + 28, 2), m = Get(b, at + 30, 2), k = Get(b, at + 32, 2);
        r.externalAttributes = static_cast<std::uint32_t>(Get(b, at + 38, 4));
        r.offset32 = static_cast<std::uint32_t>(Get(b, at + 42, 4));
        r.name = b.substr(at + 46, n);
        r.centralExtra = b.substr(at + 46 + n, m);
        r.size = r.size32;
        r.compressedSize = r.compressed32;
        r.offset = r.offset32;
        if (m >= 4 && Get(r.centralExtra, 0, 2) == 1) {
            std::size_t z = 4;
            if (r.size32 == 0xFFFFFFFF) { r.size = Get(r.centralExtra, z, 8); z += 8; }
            if (r.compressed32 == 0xFFFFFFFF) { r.compressedSize = Get(r.centralExtra, z, 8); z += 8; }
            if (r.offset32 == 0xFFFFFFFF) r.offset = Get(r.centralExtra, z, 8);
        }
        at += 46 + n + m + k;
        const std::size_t l = static_cast<std::size_t>(r.offset);
        if (Get(b, l, 4) != 0x04034b50) throw std::runtime_error("no local header");
        r.localVersion = static_cast<std::uint16_t>(Get(b, l + 4, 2));
        r.localFlags = static_cast<std::uint16_t>(Get(b, l + 6, 2));
        r.localCompressed32 = static_cast<std::uint32_t>(Get(b, l + 18, 4));
        r.localSize32 = static_cast<std::uint32_t>(Get(b, l + 22, 4));
        const std::size_t ln = Get(b, l + 26, 2), lm = Get(b, l + 28, 2);
        if (b.substr(l + 30, ln) != r.name) throw std::runtime_error("local name differs");
        r.localExtra = b.substr(l + 30 + ln, lm);
        r.compressed = b.substr(l + 30 + ln + lm, static_cast<std::size_t>(r.compressedSize));
        out.records.push_back(std::move(r));
    }
    return out;
}

} // namespace testzip
