// Writes a ZIP archive entry by entry to a random-access sink. Sizes and CRC-32 are always known
// before an entry's local header is final, so no data descriptor is needed, and Zip64 records are
// written exactly where a size, an offset or the entry count needs them.
#pragma once

#include "dos_time.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cvq::zip {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void WriteAt(std::uint64_t offset, const void* data, std::size_t count) = 0;
};

// The points where the format runs out of room. Tests lower them to reach the Zip64 paths with
// small archives; the program keeps the format's values.
struct WriterLimits {
    std::uint64_t max32 = 0xFFFFFFFF;  // a 32-bit field holds values below this
    std::uint64_t maxEntries = 0xFFFF;  // the end record's count holds values below this
};

// An entry's data, compressed in memory ahead of its turn (by another thread, perhaps).
struct PreparedData {
    std::uint16_t method = 0;
    std::uint32_t crc32 = 0;
    std::uint64_t size = 0;
    std::vector<std::uint8_t> bytes;
};

// Reads the whole content (expectedSize is a hint for the buffer): stored when empty or when level
// is 0, else Deflate at that level.
class Deflater;
PreparedData PrepareData(const std::function<std::size_t(std::uint8_t*, std::size_t)>& read, std::uint64_t expectedSize,
                         int level, Deflater* deflater);

class ArchiveWriter {
public:
    explicit ArchiveWriter(ByteSink& sink, WriterLimits limits = {});
    ~ArchiveWriter();

    // Names are the stored bytes; utf8 sets the language-encoding flag (bit 11).
    void AddFolder(std::string_view name, bool utf8, DosDateTime modified);
    void AddPrepared(std::string_view name, bool utf8, DosDateTime modified, const PreparedData& data);
    // Streams content that may be too large for memory; expectedSize decides whether the local
    // header makes room for Zip64 sizes, and content that outgrows that room is an IOException.
    void AddStreamed(std::string_view name, bool utf8, DosDateTime modified, std::uint64_t expectedSize, int level,
                     const std::function<std::size_t(std::uint8_t*, std::size_t)>& read);
    // An entry written piece by piece: its local header is patched at EndEntry. Only one entry is
    // open at a time. expectedSize (and pieces, the number of Deflate pieces it will be cut into)
    // decide whether the local header makes room for Zip64 sizes.
    void BeginEntry(std::string_view name, bool utf8, DosDateTime modified, std::uint16_t method,
                    std::uint64_t expectedSize, std::uint64_t pieces);
    void AppendData(const std::uint8_t* data, std::size_t count);
    void EndEntry(std::uint32_t crc32, std::uint64_t size);

    // Writes the central directory and end records, and flushes.
    void Finish();

private:
    struct CentralRecord {
        std::string name;
        std::uint16_t flags = 0;
        std::uint16_t method = 0;
        DosDateTime modified;
        std::uint32_t crc32 = 0;
        std::uint64_t compressedSize = 0;
        std::uint64_t size = 0;
        std::uint64_t offset = 0;
        std::uint32_t externalAttributes = 0;
        bool zip64 = false;
    };

    std::uint64_t WriteLocalHeader(const CentralRecord& r, bool zip64Sizes);
    void PatchLocalHeader(const CentralRecord& r, std::uint64_t headerPos, bool zip64Sizes);
    void Append(const void* data, std::size_t count);
    void Flush();
    void WriteCentralRecord(const CentralRecord& r);
    void WriteEnd(std::uint64_t directoryOffset, std::uint64_t directorySize);

    ByteSink& m_sink;
    WriterLimits m_limits;
    std::uint64_t m_flushed = 0;  // bytes already handed to the sink
    std::vector<std::uint8_t> m_buffer;
    std::vector<CentralRecord> m_records;
    std::unique_ptr<Deflater> m_deflater;
    std::vector<std::uint8_t> m_chunk;
    struct OpenEntry {
        CentralRecord record;
        std::uint64_t headerPos = 0;
        std::uint64_t dataStart = 0;
        bool zip64Sizes = false;
    };
    std::unique_ptr<OpenEntry> m_open;
    int m_deflaterLevel = -1;
};

} // namespace cvq::zip
