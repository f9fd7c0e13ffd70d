// Test-only ZIP writer that emits exactly what a case asks for: any raw name bytes and flags,
// wrong CRCs and sizes, data descriptors of every kind, forced Zip64 records, comments, odd extras.
// It shares no code with the library, so reading its output tests the reader, not an echo.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <zlib.h>

namespace testzip {

enum class Descriptor { None, Signed32, Unsigned32, Signed64 };

struct RawEntry {
    std::string name;  // stored bytes
    std::string data;  // content before compression
    std::uint16_t flags = 0;
    std::uint16_t method = 8;  // 0 stored, 8 Deflate (compressed here); others store data as is
    std::uint16_t dosTime = 0;
    std::uint16_t dosDate = (1 << 5) | 1;  // 1980-01-01
    std::optional<std::string> compressed;  // replaces the compressed bytes
    std::optional<std::uint32_t> crc;
    std::optional<std::uint64_t> size;             // uncompressed size written in the headers
    std::optional<std::uint64_t> compressedSize;   // compressed size written in the headers
    Descriptor descriptor = Descriptor::None;      // sets flag bit 3 and zeroes the local fields
    bool zip64 = false;                            // Zip64 extras with every value, markers in fields
    std::string localExtra;
    std::string centralExtra;
    std::optional<std::string> localName;
    std::optional<std::uint16_t> localMethod;
    std::optional<std::uint64_t> offset;  // central directory's local header offset
    std::uint32_t externalAttributes = 0;
};

inline RawEntry Entry(std::string name, std::string data = {}, std::uint16_t method = 8, std::uint16_t flags = 0)
{
    RawEntry e;
    e.name = std::move(name);
    e.data = std::move(data);
    e.method = method;
    e.flags = flags;
    return e;
}

struct RawArchive {
    std::vector<RawEntry> entries;
    std::string comment;
    bool zip64End = false;  // Zip64 end record and locator, with markers in the end record
    std::optional<std::uint16_t> entryCount;  // the end record's count
    std::optional<std::uint32_t> directoryOffset;  // the end record's offset
};

struct Layout {
    std::vector<std::uint64_t> localOffsets;
    std::uint64_t directoryOffset = 0;
    std::uint64_t endOffset = 0;
};

inline void Put(std::string& out, std::uint64_t v, int width)
{
    for (int i = 0; i < width; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline std::string DeflateRaw(std::string_view data, int level = 6)
{
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, static_cast<uLong>(data.size())) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

inline std::string InflateRaw(std::string_view compressed, std::size_t size)
{
    z_stream z{};
    inflateInit2(&z, -15);
    std::string out(size + 1, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    out.resize(z.total_out);
    inflateEnd(&z);
    return rc == Z_STREAM_END ? out : std::string("<inflate failed>");
}

inline std::uint32_t Crc(std::string_view data)
{
    return static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

inline std::string Zip64Extra(std::initializer_list<std::uint64_t> values)
{
    std::string e;
    Put(e, 1, 2);
    Put(e, 8 * values.size(), 2);
    for (auto v : values) Put(e, v, 8);
    return e;
}

inline std::string Build(const RawArchive& archive, Layout* layout = nullptr)
{
    std::string out;
    Layout l;
    struct Central {
        const RawEntry* e;
        std::string compressed;
        std::uint32_t crc;
        std::uint64_t size, csize, offset;
    };
    std::vector<Central> centrals;
    for (const RawEntry& e : archive.entries) {
        Central c{&e, {}, 0, 0, 0, out.size()};
        c.compressed = e.compressed ? *e.compressed : (e.method == 8 ? DeflateRaw(e.data) : e.data);
        c.crc = e.crc ? *e.crc : Crc(e.data);
        c.size = e.size ? *e.size : e.data.size();
        c.csize = e.compressedSize ? *e.compressedSize : c.compressed.size();
        l.localOffsets.push_back(out.size());
        const bool descriptor = e.descriptor != Descriptor::None;
        const std::string& name = e.localName ? *e.localName : e.name;
        std::string extra = e.localExtra;
        if (e.zip64) extra = Zip64Extra({descriptor ? 0 : c.size, descriptor ? 0 : c.csize}) + extra;
        Put(out, 0x04034b50, 4);
        Put(out, e.zip64 ? 45 : 20, 2);
        Put(out, e.flags | (descriptor ? 8 : 0), 2);
        Put(out, e.localMethod ? *e.localMethod : e.method, 2);
        Put(out, e.dosTime, 2);
        Put(out, e.dosDate, 2);
        Put(out, descriptor ? 0 : c.crc, 4);
        Put(out, e.zip64 ? 0xFFFFFFFF : (descriptor ? 0 : c.csize), 4);
        Put(out, e.zip64 ? 0xFFFFFFFF : (descriptor ? 0 : c.size), 4);
        Put(out, name.size(), 2);
        Put(out, extra.size(), 2);
        out += name;
        out += extra;
        out += c.compressed;
        switch (e.descriptor) {
        case Descriptor::None: break;
        case Descriptor::Signed32: Put(out, 0x08074b50, 4); [[fallthrough]];
        case Descriptor::Unsigned32: Put(out, c.crc, 4); Put(out, c.csize, 4); Put(out, c.size, 4); break;
        case Descriptor::Signed64: Put(out, 0x08074b50, 4); Put(out, c.crc, 4); Put(out, c.csize, 8); Put(out, c.size, 8); break;
        }
        centrals.push_back(std::move(c));
    }
    l.directoryOffset = out.size();
    for (const Central& c : centrals) {
        const RawEntry& e = *c.e;
        const std::uint64_t offset = e.offset ? *e.offset : c.offset;
        std::string extra = e.centralExtra;
        if (e.zip64) extra = Zip64Extra({c.size, c.csize, offset}) + extra;
        Put(out, 0x02014b50, 4);
        Put(out, e.zip64 ? 45 : 20, 2);
        Put(out, e.zip64 ? 45 : 20, 2);
        Put(out, e.flags | (e.descriptor != Descriptor::None ? 8 : 0), 2);
        Put(out, e.method, 2);
        Put(out, e.dosTime, 2);
        Put(out, e.dosDate, 2);
        Put(out, c.crc, 4);
        Put(out, e.zip64 ? 0xFFFFFFFF : c.csize, 4);
        Put(out, e.zip64 ? 0xFFFFFFFF : c.size, 4);
        Put(out, e.name.size(), 2);
        Put(out, extra.size(), 2);
        Put(out, 0, 2);
        Put(out, 0, 2);
        Put(out, 0, 2);
        Put(out, e.externalAttributes, 4);
        Put(out, e.zip64 ? 0xFFFFFFFF : offset, 4);
        out += e.name;
        out += extra;
    }
    const std::uint64_t directorySize = out.size() - l.directoryOffset;
    const std::uint64_t count = archive.entries.size();
    if (archive.zip64End) {
        const std::uint64_t recordOffset = out.size();
        Put(out, 0x06064b50, 4);
        Put(out, 44, 8);
        Put(out, 45, 2);
        Put(out, 45, 2);
        Put(out, 0, 4);
        Put(out, 0, 4);
        Put(out, count, 8);
        Put(out, count, 8);
        Put(out, directorySize, 8);
        Put(out, l.directoryOffset, 8);
        Put(out, 0x07064b50, 4);
        Put(out, 0, 4);
        Put(out, recordOffset, 8);
        Put(out, 1, 4);
    }
    l.endOffset = out.size();
    const std::uint64_t count16 = archive.entryCount ? *archive.entryCount : (archive.zip64End ? 0xFFFF : count);
    Put(out, 0x06054b50, 4);
    Put(out, 0, 2);
    Put(out, 0, 2);
    Put(out, count16, 2);
    Put(out, count16, 2);
    Put(out, archive.zip64End ? 0xFFFFFFFF : directorySize, 4);
    Put(out, archive.directoryOffset ? *archive.directoryOffset : (archive.zip64End ? 0xFFFFFFFF : l.directoryOffset), 4);
    Put(out, archive.comment.size(), 2);
    out += archive.comment;
    if (layout) *layout = l;
    return out;
}

} // namespace testzip
