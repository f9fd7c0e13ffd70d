// Reading the central directory, trusting nothing: the end record is found by a bounded backwards
// scan, every offset and count is checked against the file size before anything is allocated or
// read, and the entries' byte ranges are checked not to overlap (the "zip bomb" of shared data).
#include "central_directory.h"

#include <System/Exception.h>

#include "byte_source.h"
#include "le_cursor.h"
#include "zip_format.h"

#include <algorithm>
#include <vector>

namespace cvq::zip {
namespace {

using System::IO::InvalidDataException;
namespace fmt = format;

struct DirectoryLocation {
    std::uint64_t entries = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint64_t limit = 0;  // where the central directory must end at the latest
};

// Reads a window of the source at a time, so that a directory of thousands of entries costs a few
// reads, and memory stays bounded whatever the directory size.
class WindowReader {
public:
    WindowReader(ByteSource& source, std::uint64_t end) : m_source(source), m_end(end) {}

    LeCursor Get(std::uint64_t offset, std::size_t count)
    {
        if (offset > m_end || count > m_end - offset) throw InvalidDataException("central directory truncated");
        if (offset < m_start || offset + count > m_start + m_buffer.size()) {
            const std::uint64_t want = std::max<std::uint64_t>(count, kWindow);
            m_buffer.resize(static_cast<std::size_t>(std::min(want, m_end - offset)));
            m_source.ReadExact(offset, m_buffer.data(), m_buffer.size());
            m_start = offset;
        }
        return {m_buffer.data() + (offset - m_start), count};
    }

private:
    static constexpr std::uint64_t kWindow = 256 * 1024;
    ByteSource& m_source;
    std::uint64_t m_end;
    std::uint64_t m_start = 0;
    std::vector<char> m_buffer;
};

DirectoryLocation ReadZip64End(ByteSource& source, std::uint64_t locatorOffset)
{
    char locator[fmt::zip64_locator::kFixedSize];
    source.ReadExact(locatorOffset, locator, sizeof locator);
    const LeCursor loc(locator, sizeof locator);
    const std::uint64_t endOffset = loc.U64(fmt::zip64_locator::kEndOffset);
    if (loc.U32(fmt::zip64_locator::kDiskCount) > 1) throw InvalidDataException("multi-disk archive");
    if (endOffset > locatorOffset || locatorOffset - endOffset < fmt::zip64_end::kFixedSize) {
        throw InvalidDataException("Zip64 end record out of bounds");
    }
    char record[fmt::zip64_end::kFixedSize];
    source.ReadExact(endOffset, record, sizeof record);
    const LeCursor end(record, sizeof record);
    if (end.U32(fmt::zip64_end::kSig) != fmt::kZip64EndSig) throw InvalidDataException("Zip64 end record missing");
    if (end.U32(fmt::zip64_end::kDisk) != 0 || end.U32(fmt::zip64_end::kCentralDisk) != 0) {
        throw InvalidDataException("multi-disk archive");
    }
    return {end.U64(fmt::zip64_end::kEntries), end.U64(fmt::zip64_end::kCentralOffset),
            end.U64(fmt::zip64_end::kCentralSize), endOffset};
}

// Interprets the end record at endOffset; false when it cannot be the real one.
bool TryEndRecord(ByteSource& source, const LeCursor& end, std::uint64_t endOffset, DirectoryLocation& where)
{
    const std::uint16_t disk = end.U16(fmt::end::kDisk);
    const std::uint16_t centralDisk = end.U16(fmt::end::kCentralDisk);
    if ((disk != 0 && disk != fmt::kMax16) || (centralDisk != 0 && centralDisk != fmt::kMax16)) return false;
    where = {end.U16(fmt::end::kEntries), end.U32(fmt::end::kCentralOffset), end.U32(fmt::end::kCentralSize),
             endOffset};
    if (endOffset >= fmt::zip64_locator::kFixedSize) {
        const std::uint64_t locatorOffset = endOffset - fmt::zip64_locator::kFixedSize;
        char sig[4];
        source.ReadExact(locatorOffset, sig, sizeof sig);
        if (LeCursor(sig, sizeof sig).U32(0) == fmt::kZip64LocatorSig) where = ReadZip64End(source, locatorOffset);
    }
    return where.offset <= where.limit && where.size <= where.limit - where.offset;
}

DirectoryLocation LocateDirectory(ByteSource& source)
{
    const std::uint64_t fileSize = source.Size();
    if (fileSize < fmt::end::kFixedSize) throw InvalidDataException("not a ZIP archive: too short");
    const std::uint64_t tailSize = std::min<std::uint64_t>(fileSize, fmt::end::kFixedSize + fmt::end::kMaxComment);
    std::vector<char> tail(static_cast<std::size_t>(tailSize));
    const std::uint64_t tailStart = fileSize - tailSize;
    source.ReadExact(tailStart, tail.data(), tail.size());
    const LeCursor cursor(tail.data(), tail.size());

    // The last signature whose comment fits in the file is the end record; a signature inside the
    // comment is tried first and skipped when its fields do not hold together.
    for (std::size_t pos = tail.size() - fmt::end::kFixedSize + 1; pos-- > 0;) {
        if (cursor.U32(pos) != fmt::kEndSig) continue;
        const std::size_t commentLength = cursor.U16(pos + fmt::end::kCommentLength);
        if (commentLength > tail.size() - pos - fmt::end::kFixedSize) continue;
        DirectoryLocation where;
        if (TryEndRecord(source, cursor.Sub(pos, fmt::end::kFixedSize), tailStart + pos, where)) return where;
    }
    throw InvalidDataException("not a ZIP archive: no end of central directory record");
}

// Replaces the 32-bit fields marked 0xFFFFFFFF by the values of the Zip64 extra field, in the
// order the format gives them.
void ApplyZip64Extra(const LeCursor& extra, EntryRecord& e, bool sizeMarked, bool compressedMarked, bool offsetMarked)
{
    std::size_t pos = 0;
    while (pos + 4 <= extra.Size()) {
        const std::uint16_t id = extra.U16(pos);
        const std::uint16_t length = extra.U16(pos + 2);
        const LeCursor field = extra.Sub(pos + 4, std::min<std::size_t>(length, extra.Size() - pos - 4));
        pos += 4 + std::size_t{length};
        if (id != fmt::kZip64ExtraId) continue;
        std::size_t at = 0;
        if (sizeMarked) { e.size = field.U64(at); at += 8; }
        if (compressedMarked) { e.compressedSize = field.U64(at); at += 8; }
        if (offsetMarked) { e.localHeaderOffset = field.U64(at); }
        return;
    }
    if (sizeMarked || compressedMarked || offsetMarked) throw InvalidDataException("Zip64 extra field missing");
}

std::shared_ptr<EntryRecord> ReadCentralHeader(WindowReader& reader, std::uint64_t& pos)
{
    namespace c = fmt::central;
    const LeCursor fixed = reader.Get(pos, c::kFixedSize);
    if (fixed.U32(c::kSig) != fmt::kCentralSig) throw InvalidDataException("central header signature missing");
    const std::size_t nameLength = fixed.U16(c::kNameLength);
    const std::size_t extraLength = fixed.U16(c::kExtraLength);
    const std::size_t commentLength = fixed.U16(c::kCommentLength);
    auto e = std::make_shared<EntryRecord>();
    e->versionMadeBy = fixed.U16(c::kVersionMadeBy);
    e->flags = fixed.U16(c::kFlags);
    e->method = fixed.U16(c::kMethod);
    e->modified = {fixed.U16(c::kTime), fixed.U16(c::kDate)};
    e->crc32 = fixed.U32(c::kCrc);
    e->compressedSize = fixed.U32(c::kCompressedSize);
    e->size = fixed.U32(c::kSize);
    e->localHeaderOffset = fixed.U32(c::kLocalOffset);
    const std::uint16_t diskStart = fixed.U16(c::kDiskStart);

    const LeCursor variable = reader.Get(pos + c::kFixedSize, nameLength + extraLength + commentLength);
    e->rawName = std::string(variable.Bytes(0, nameLength));
    ApplyZip64Extra(variable.Sub(nameLength, extraLength), *e, e->size == fmt::kMax32,
                    e->compressedSize == fmt::kMax32, e->localHeaderOffset == fmt::kMax32);
    if (diskStart != 0 && diskStart != fmt::kMax16) throw InvalidDataException("multi-disk archive");
    pos += c::kFixedSize + nameLength + extraLength + commentLength;
    return e;
}

// Every entry needs at least its local header, name and data before the next one begins.
void CheckNoOverlap(const std::vector<std::shared_ptr<EntryRecord>>& entries, std::uint64_t directoryOffset)
{
    std::vector<EntryRecord*> byOffset;
    byOffset.reserve(entries.size());
    for (const auto& e : entries) byOffset.push_back(e.get());
    std::sort(byOffset.begin(), byOffset.end(),
              [](const EntryRecord* a, const EntryRecord* b) { return a->localHeaderOffset < b->localHeaderOffset; });
    for (std::size_t i = 0; i < byOffset.size(); ++i) {
        EntryRecord& e = *byOffset[i];
        const std::uint64_t next = i + 1 < byOffset.size() ? byOffset[i + 1]->localHeaderOffset : directoryOffset;
        const std::uint64_t minimum = fmt::local::kFixedSize + e.rawName.size();
        if (e.localHeaderOffset > next || next - e.localHeaderOffset < minimum ||
            e.compressedSize > next - e.localHeaderOffset - minimum) {
            throw InvalidDataException("entries overlap or run past the central directory");
        }
        e.spaceEnd = next;
    }
}

} // namespace

std::vector<std::shared_ptr<const EntryRecord>> ReadCentralDirectory(ByteSource& source)
{
    const DirectoryLocation where = LocateDirectory(source);
    if (where.entries > where.size / fmt::central::kFixedSize) {
        throw InvalidDataException("entry count does not fit the central directory");
    }
    std::vector<std::shared_ptr<EntryRecord>> entries;
    entries.reserve(static_cast<std::size_t>(where.entries));
    WindowReader reader(source, where.offset + where.size);
    std::uint64_t pos = where.offset;
    for (std::uint64_t i = 0; i < where.entries; ++i) entries.push_back(ReadCentralHeader(reader, pos));
    // A count that disagrees with the directory's size means one of them is wrong.
    if (pos != where.offset + where.size) throw InvalidDataException("entry count disagrees with the central directory");
    CheckNoOverlap(entries, where.offset);
    return {entries.begin(), entries.end()};
}

} // namespace cvq::zip
