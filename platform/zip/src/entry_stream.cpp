// Entry data is never held whole: input comes in bounded chunks, output goes to the caller's buffer.
// Sizes come from the central directory, so data descriptors (signed or not, 32- or 64-bit) need no
// parsing; they simply sit in the space after the data.
#include "entry_stream.h"

#include <System/Exception.h>

#include "byte_source.h"
#include "deflater.h"
#include "le_cursor.h"
#include "zip_format.h"

#include <algorithm>
#include <string>
#include <zlib.h>

namespace cvq::zip {
namespace {

using System::IO::InvalidDataException;
namespace fmt = format;

constexpr std::size_t kInputChunk = 256 * 1024;

// Field-by-field comparison of the two headers (as libzip does): a reader that trusted the local
// header could be shown other data than a reader that trusts the central one.
std::uint64_t CheckLocalHeader(ByteSource& source, const EntryRecord& e)
{
    namespace l = fmt::local;
    if (e.localHeaderOffset > e.spaceEnd || e.spaceEnd - e.localHeaderOffset < l::kFixedSize) {
        throw InvalidDataException("local header out of bounds");
    }
    char fixedBytes[l::kFixedSize];
    source.ReadExact(e.localHeaderOffset, fixedBytes, sizeof fixedBytes);
    const LeCursor fixed(fixedBytes, sizeof fixedBytes);
    if (fixed.U32(l::kSig) != fmt::kLocalSig) throw InvalidDataException("local header signature missing");
    const std::size_t nameLength = fixed.U16(l::kNameLength);
    const std::size_t extraLength = fixed.U16(l::kExtraLength);
    const std::uint64_t dataStart = e.localHeaderOffset + l::kFixedSize + nameLength + extraLength;
    if (dataStart > e.spaceEnd || e.compressedSize > e.spaceEnd - dataStart) {
        throw InvalidDataException("entry data runs into the next entry");
    }
    if (fixed.U16(l::kMethod) != e.method || ((fixed.U16(l::kFlags) ^ e.flags) & fmt::kFlagEncrypted) != 0) {
        throw InvalidDataException("local header disagrees with the central directory");
    }
    if (nameLength != e.rawName.size()) throw InvalidDataException("local name differs from the central one");
    std::string name(nameLength, '\0');
    source.ReadExact(e.localHeaderOffset + l::kFixedSize, name.data(), nameLength);
    if (name != e.rawName) throw InvalidDataException("local name differs from the central one");
    if ((fixed.U16(l::kFlags) & fmt::kFlagDescriptor) == 0) {
        // Without a data descriptor the local values must be the real ones (or the Zip64 marker).
        const std::uint32_t compressed = fixed.U32(l::kCompressedSize);
        const std::uint32_t size = fixed.U32(l::kSize);
        if (fixed.U32(l::kCrc) != e.crc32 || (compressed != fmt::kMax32 && compressed != e.compressedSize) ||
            (size != fmt::kMax32 && size != e.size)) {
            throw InvalidDataException("local header disagrees with the central directory");
        }
    }
    return dataStart;
}

} // namespace

struct EntryStream::Inflater {
    z_stream z{};
    Inflater()
    {
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) throw System::IO::IOException("zlib could not start");
    }
    ~Inflater() { inflateEnd(&z); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
};

EntryStream::EntryStream(ByteSource& source, const EntryRecord& entry) : m_source(source), m_entry(entry)
{
    if (entry.flags & (fmt::kFlagEncrypted | fmt::kFlagStrongEncryption)) {
        throw InvalidDataException("encrypted entries are not supported");
    }
    if (entry.method != fmt::kMethodStored && entry.method != fmt::kMethodDeflate) {
        throw InvalidDataException("unsupported compression method " + std::to_string(entry.method));
    }
    if (entry.method == fmt::kMethodStored && entry.compressedSize != entry.size) {
        throw InvalidDataException("stored entry with differing sizes");
    }
    m_dataPos = CheckLocalHeader(source, entry);
    m_compressedLeft = entry.compressedSize;
    if (entry.method == fmt::kMethodDeflate) m_inflater = std::make_unique<Inflater>();
}

EntryStream::~EntryStream() = default;

std::size_t EntryStream::Read(std::uint8_t* out, std::size_t capacity)
{
    if (m_done || capacity == 0) return 0;
    std::size_t n = 0;
    if (!m_streamEnded) n = m_inflater ? ReadDeflated(out, capacity) : ReadStored(out, capacity);
    m_crc = Crc32(m_crc, out, n);
    m_produced += n;
    if (m_produced > m_entry.size) throw InvalidDataException("entry is longer than its recorded size");
    if (n == 0) Finish();
    return n;
}

std::size_t EntryStream::ReadStored(std::uint8_t* out, std::size_t capacity)
{
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(capacity, m_compressedLeft));
    m_source.ReadExact(m_dataPos, out, n);
    m_dataPos += n;
    m_compressedLeft -= n;
    return n;
}

void EntryStream::Refill()
{
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kInputChunk, m_compressedLeft));
    m_input.resize(n);
    m_source.ReadExact(m_dataPos, m_input.data(), n);
    m_dataPos += n;
    m_compressedLeft -= n;
    m_inflater->z.next_in = m_input.data();
    m_inflater->z.avail_in = static_cast<uInt>(n);
}

std::size_t EntryStream::ReadDeflated(std::uint8_t* out, std::size_t capacity)
{
    z_stream& z = m_inflater->z;
    z.next_out = out;
    z.avail_out = static_cast<uInt>(std::min<std::size_t>(capacity, 1u << 30));
    const uInt start = z.avail_out;
    while (z.avail_out > 0) {
        if (z.avail_in == 0 && m_compressedLeft > 0) Refill();
        const int rc = inflate(&z, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) {
            m_streamEnded = true;  // what follows in the entry's space is not data
            return start - z.avail_out;
        }
        if (rc == Z_BUF_ERROR && z.avail_in == 0 && m_compressedLeft == 0) {
            throw InvalidDataException("compressed data ends early");
        }
        if (rc != Z_OK && rc != Z_BUF_ERROR) throw InvalidDataException("damaged compressed data");
    }
    return start - z.avail_out;
}

void EntryStream::Finish()
{
    m_done = true;
    if (m_produced != m_entry.size) throw InvalidDataException("entry is shorter than its recorded size");
    if (m_crc != m_entry.crc32) throw InvalidDataException("CRC-32 mismatch");
}

} // namespace cvq::zip
