// Output is buffered and handed to the sink in large pieces; a streamed entry's local header is
// patched once its sizes are known, in the buffer if it is still there, else in the sink.
#include "archive_writer.h"

#include <System/Exception.h>

#include "deflater.h"
#include "le_writer.h"
#include "zip_format.h"

#include <algorithm>
#include <cstring>

namespace cvq::zip {
namespace {

namespace fmt = format;
constexpr std::size_t kFlushThreshold = 1 << 20;
constexpr std::size_t kReadChunk = 256 * 1024;

// zlib's compressBound: Deflate output never exceeds this.
std::uint64_t DeflateBound(std::uint64_t n) { return n + (n >> 12) + (n >> 14) + (n >> 25) + 13; }

} // namespace

PreparedData PrepareData(const std::function<std::size_t(std::uint8_t*, std::size_t)>& read, std::uint64_t expectedSize,
                         int level, Deflater* deflater)
{
    // One byte beyond the expected size lets the read that reports the end find room.
    std::vector<std::uint8_t> content(static_cast<std::size_t>(std::min<std::uint64_t>(expectedSize, 1u << 30)) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == content.size()) content.resize(used + std::max<std::size_t>(used / 2, kReadChunk));
        const std::size_t n = read(content.data() + used, content.size() - used);
        if (n == 0) break;
        used += n;
    }
    content.resize(used);
    PreparedData data;
    data.size = used;
    data.crc32 = Crc32(0, content.data(), used);
    if (used == 0 || level == 0) {
        data.method = fmt::kMethodStored;
        data.bytes = std::move(content);
    } else {
        data.method = fmt::kMethodDeflate;
        data.bytes.reserve(static_cast<std::size_t>(DeflateBound(used)));
        deflater->CompressAll(content.data(), used, data.bytes);
    }
    return data;
}

ArchiveWriter::ArchiveWriter(ByteSink& sink, WriterLimits limits) : m_sink(sink), m_limits(limits)
{
    m_buffer.reserve(64 * 1024);  // grows to the flush threshold only for archives that need it
}

ArchiveWriter::~ArchiveWriter() = default;

void ArchiveWriter::Append(const void* data, std::size_t count)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    if (count >= kFlushThreshold) {
        Flush();
        m_sink.WriteAt(m_flushed, p, count);
        m_flushed += count;
        return;
    }
    m_buffer.insert(m_buffer.end(), p, p + count);
    if (m_buffer.size() >= kFlushThreshold) Flush();
}

void ArchiveWriter::Flush()
{
    if (m_buffer.empty()) return;
    m_sink.WriteAt(m_flushed, m_buffer.data(), m_buffer.size());
    m_flushed += m_buffer.size();
    m_buffer.clear();
}

std::uint64_t ArchiveWriter::WriteLocalHeader(const CentralRecord& r, bool zip64Sizes)
{
    const std::uint64_t at = m_flushed + m_buffer.size();
    LeWriter h;
    h.U32(fmt::kLocalSig).U16(r.zip64 ? fmt::kVersionZip64 : fmt::kVersionDefault).U16(r.flags).U16(r.method);
    h.U16(r.modified.time).U16(r.modified.date).U32(r.crc32);
    h.U32(zip64Sizes ? fmt::kMax32 : r.compressedSize).U32(zip64Sizes ? fmt::kMax32 : r.size);
    h.U16(r.name.size()).U16(zip64Sizes ? 20 : 0).Bytes(r.name);
    if (zip64Sizes) h.U16(fmt::kZip64ExtraId).U16(16).U64(r.size).U64(r.compressedSize);
    Append(h.Data().data(), h.Data().size());
    return at;
}

void ArchiveWriter::PatchLocalHeader(const CentralRecord& r, std::uint64_t headerPos, bool zip64Sizes)
{
    auto patch = [this](std::uint64_t pos, const LeWriter& w) {
        const auto& bytes = w.Data();
        if (pos >= m_flushed) {
            std::memcpy(m_buffer.data() + (pos - m_flushed), bytes.data(), bytes.size());
        } else {
            m_sink.WriteAt(pos, bytes.data(), bytes.size());
        }
    };
    LeWriter fields;
    fields.U32(r.crc32);
    if (!zip64Sizes) fields.U32(r.compressedSize).U32(r.size);
    patch(headerPos + fmt::local::kCrc, fields);
    if (zip64Sizes) {
        LeWriter extra;
        extra.U64(r.size).U64(r.compressedSize);
        patch(headerPos + fmt::local::kFixedSize + r.name.size() + 4, extra);
    }
}

void ArchiveWriter::AddFolder(std::string_view name, bool utf8, DosDateTime modified)
{
    CentralRecord r;
    r.name = name;
    r.flags = utf8 ? fmt::kFlagUtf8 : 0;
    r.method = fmt::kMethodStored;
    r.modified = modified;
    r.externalAttributes = fmt::kDosDirectoryAttribute;
    r.offset = m_flushed + m_buffer.size();
    r.zip64 = r.offset >= m_limits.max32;
    WriteLocalHeader(r, false);
    m_records.push_back(std::move(r));
}

void ArchiveWriter::AddPrepared(std::string_view name, bool utf8, DosDateTime modified, const PreparedData& data)
{
    CentralRecord r;
    r.name = name;
    r.flags = utf8 ? fmt::kFlagUtf8 : 0;
    r.method = data.method;
    r.modified = modified;
    r.crc32 = data.crc32;
    r.size = data.size;
    r.compressedSize = data.bytes.size();
    r.offset = m_flushed + m_buffer.size();
    const bool zip64Sizes = r.size >= m_limits.max32 || r.compressedSize >= m_limits.max32;
    r.zip64 = zip64Sizes || r.offset >= m_limits.max32;
    WriteLocalHeader(r, zip64Sizes);
    Append(data.bytes.data(), data.bytes.size());
    m_records.push_back(std::move(r));
}

void ArchiveWriter::BeginEntry(std::string_view name, bool utf8, DosDateTime modified, std::uint16_t method,
                               std::uint64_t expectedSize, std::uint64_t pieces)
{
    auto open = std::make_unique<OpenEntry>();
    CentralRecord& r = open->record;
    r.name = name;
    r.flags = utf8 ? fmt::kFlagUtf8 : 0;
    r.method = method;
    r.modified = modified;
    r.offset = m_flushed + m_buffer.size();
    // Each piece ends with a sync flush of at most a few bytes.
    const std::uint64_t worst = method == fmt::kMethodStored ? expectedSize : DeflateBound(expectedSize) + 8 * pieces;
    open->zip64Sizes = std::max(expectedSize, worst) >= m_limits.max32;
    r.zip64 = open->zip64Sizes || r.offset >= m_limits.max32;
    open->headerPos = WriteLocalHeader(r, open->zip64Sizes);
    open->dataStart = m_flushed + m_buffer.size();
    m_open = std::move(open);
}

void ArchiveWriter::AppendData(const std::uint8_t* data, std::size_t count) { Append(data, count); }

void ArchiveWriter::EndEntry(std::uint32_t crc32, std::uint64_t size)
{
    std::unique_ptr<OpenEntry> open = std::move(m_open);
    CentralRecord& r = open->record;
    r.crc32 = crc32;
    r.size = size;
    r.compressedSize = m_flushed + m_buffer.size() - open->dataStart;
    if (!open->zip64Sizes && (r.size >= m_limits.max32 || r.compressedSize >= m_limits.max32)) {
        throw System::IO::IOException("file grew while it was being archived: " + r.name);
    }
    PatchLocalHeader(r, open->headerPos, open->zip64Sizes);
    m_records.push_back(std::move(r));
}

void ArchiveWriter::AddStreamed(std::string_view name, bool utf8, DosDateTime modified, std::uint64_t expectedSize,
                                int level, const std::function<std::size_t(std::uint8_t*, std::size_t)>& read)
{
    BeginEntry(name, utf8, modified, level == 0 ? fmt::kMethodStored : fmt::kMethodDeflate, expectedSize, 1);
    if (level != 0 && (!m_deflater || m_deflaterLevel != level)) {
        m_deflater = std::make_unique<Deflater>(level);
        m_deflaterLevel = level;
    }
    auto emit = [this](const std::uint8_t* p, std::size_t n) { Append(p, n); };
    std::vector<std::uint8_t>& chunk = m_chunk;
    chunk.resize(kReadChunk);
    std::uint32_t crc = 0;
    std::uint64_t size = 0;
    for (;;) {
        const std::size_t n = read(chunk.data(), chunk.size());
        crc = Crc32(crc, chunk.data(), n);
        size += n;
        if (level == 0) {
            Append(chunk.data(), n);
        } else {
            m_deflater->Feed(chunk.data(), n, n == 0, emit);
        }
        if (n == 0) break;
    }
    EndEntry(crc, size);
}

void ArchiveWriter::WriteCentralRecord(const CentralRecord& r)
{
    const bool bigSize = r.size >= m_limits.max32;
    const bool bigCompressed = r.compressedSize >= m_limits.max32;
    const bool bigOffset = r.offset >= m_limits.max32;
    LeWriter extra;
    if (bigSize || bigCompressed || bigOffset) {
        extra.U16(fmt::kZip64ExtraId).U16(8u * (unsigned{bigSize} + unsigned{bigCompressed} + unsigned{bigOffset}));
        if (bigSize) extra.U64(r.size);
        if (bigCompressed) extra.U64(r.compressedSize);
        if (bigOffset) extra.U64(r.offset);
    }
    const bool zip64 = r.zip64 || !extra.Data().empty();
    const std::uint16_t version = zip64 ? fmt::kVersionZip64 : fmt::kVersionDefault;
    LeWriter h;
    h.U32(fmt::kCentralSig).U16(version).U16(version).U16(r.flags).U16(r.method);
    h.U16(r.modified.time).U16(r.modified.date).U32(r.crc32);
    h.U32(bigCompressed ? fmt::kMax32 : r.compressedSize).U32(bigSize ? fmt::kMax32 : r.size);
    h.U16(r.name.size()).U16(extra.Data().size()).U16(0).U16(0).U16(0).U32(r.externalAttributes);
    h.U32(bigOffset ? fmt::kMax32 : r.offset).Bytes(r.name);
    Append(h.Data().data(), h.Data().size());
    Append(extra.Data().data(), extra.Data().size());
}

void ArchiveWriter::WriteEnd(std::uint64_t directoryOffset, std::uint64_t directorySize)
{
    const std::uint64_t count = m_records.size();
    const bool bigCount = count >= m_limits.maxEntries;
    const bool bigSize = directorySize >= m_limits.max32;
    const bool bigOffset = directoryOffset >= m_limits.max32;
    if (bigCount || bigSize || bigOffset) {
        const std::uint64_t recordPos = m_flushed + m_buffer.size();
        LeWriter z;
        z.U32(fmt::kZip64EndSig).U64(fmt::zip64_end::kFixedSize - 12).U16(fmt::kVersionZip64).U16(fmt::kVersionZip64);
        z.U32(0).U32(0).U64(count).U64(count).U64(directorySize).U64(directoryOffset);
        z.U32(fmt::kZip64LocatorSig).U32(0).U64(recordPos).U32(1);
        Append(z.Data().data(), z.Data().size());
    }
    const std::uint64_t count16 = bigCount ? fmt::kMax16 : count;
    LeWriter e;
    e.U32(fmt::kEndSig).U16(0).U16(0).U16(count16).U16(count16);
    e.U32(bigSize ? fmt::kMax32 : directorySize).U32(bigOffset ? fmt::kMax32 : directoryOffset).U16(0);
    Append(e.Data().data(), e.Data().size());
}

void ArchiveWriter::Finish()
{
    const std::uint64_t directoryOffset = m_flushed + m_buffer.size();
    for (const CentralRecord& r : m_records) WriteCentralRecord(r);
    WriteEnd(directoryOffset, m_flushed + m_buffer.size() - directoryOffset);
    Flush();
}

} // namespace cvq::zip
