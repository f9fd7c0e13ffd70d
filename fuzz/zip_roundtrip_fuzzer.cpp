// Fuzz target: entries made from the input (raw name bytes, contents, folders, any of the three
// ways of adding data, low Zip64 thresholds) are written and read back; names and data must come
// back exactly, and the reader must accept everything the writer makes.
#include <System/IO/Compression.h>

#include "archive_access.h"
#include "archive_writer.h"
#include "byte_source.h"
#include "deflater.h"
#include "entry_stream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_pos >= m_size; }
    std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::string Take(std::size_t n)
    {
        n = std::min(n, m_size - std::min(m_pos, m_size));
        std::string s(reinterpret_cast<const char*>(m_data + m_pos), n);
        m_pos += n;
        return s;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

class MemorySink final : public cvq::zip::ByteSink {
public:
    void WriteAt(std::uint64_t offset, const void* data, std::size_t count) override
    {
        const auto at = static_cast<std::size_t>(offset);
        if (m_bytes.size() < at + count) m_bytes.resize(at + count);
        std::memcpy(m_bytes.data() + at, data, count);
    }
    std::string m_bytes;
};

void Check(bool ok)
{
    if (!ok) std::abort();
}

struct Expected {
    std::string name;
    std::string data;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes in(data, size);
    cvq::zip::WriterLimits limits;
    const std::uint8_t mode = in.Byte();
    if (mode & 1) limits.max32 = 1 + in.Byte();
    if (mode & 2) limits.maxEntries = 1 + (in.Byte() & 7);
    const int level = (mode >> 2) % 10;

    MemorySink sink;
    std::vector<Expected> expected;
    {
        cvq::zip::ArchiveWriter writer(sink, limits);
        cvq::zip::Deflater deflater(level == 0 ? 6 : level);
        for (int i = 0; i < 24 && !in.Empty(); ++i) {
            const std::uint8_t kind = in.Byte();
            Expected e;
            e.name = in.Take(in.Byte() % 48);
            const bool utf8 = kind & 0x80;
            const cvq::zip::DosDateTime time{static_cast<std::uint16_t>(in.Byte() << 8 | in.Byte()),
                                             static_cast<std::uint16_t>(in.Byte() << 8 | in.Byte())};
            switch (kind % 4) {
            case 0:
                writer.AddFolder(e.name, utf8, time);
                break;
            case 1: {
                e.data = in.Take(in.Byte() * 16u);
                std::size_t at = 0;
                const auto prepared = cvq::zip::PrepareData(
                    [&](std::uint8_t* out, std::size_t cap) {
                        const std::size_t n = std::min(cap, e.data.size() - at);
                        std::memcpy(out, e.data.data() + at, n);
                        at += n;
                        return n;
                    },
                    e.data.size(), level, &deflater);
                writer.AddPrepared(e.name, utf8, time, prepared);
                break;
            }
            case 3: {
                // Content cut into pieces compressed separately, each primed with what came before.
                e.data = in.Take(in.Byte() * 16u);
                const std::size_t cut = 1 + in.Byte() % 64;
                const std::uint16_t method = level == 0 || e.data.empty() ? 0 : 8;
                writer.BeginEntry(e.name, utf8, time, method, e.data.size(), e.data.size() / cut + 1);
                const auto* bytes = reinterpret_cast<const std::uint8_t*>(e.data.data());
                for (std::size_t at = 0; at < e.data.size(); at += cut) {
                    const std::size_t n = std::min(cut, e.data.size() - at);
                    std::vector<std::uint8_t> out;
                    if (method == 0) {
                        out.assign(bytes + at, bytes + at + n);
                    } else {
                        const std::size_t dictionary = std::min<std::size_t>(at, 32 * 1024);
                        deflater.CompressPiece(bytes + at, n, bytes + at - dictionary, dictionary,
                                               at + n == e.data.size(), out);
                    }
                    writer.AppendData(out.data(), out.size());
                }
                writer.EndEntry(cvq::zip::Crc32(0, bytes, e.data.size()), e.data.size());
                break;
            }
            default: {
                e.data = in.Take(in.Byte() * 16u);
                std::size_t at = 0;
                writer.AddStreamed(e.name, utf8, time, e.data.size(), level, [&](std::uint8_t* out, std::size_t cap) {
                    const std::size_t n = std::min({cap, e.data.size() - at, std::size_t{7}});  // uneven pieces
                    std::memcpy(out, e.data.data() + at, n);
                    at += n;
                    return n;
                });
                break;
            }
            }
            expected.push_back(std::move(e));
        }
        writer.Finish();
    }

    System::IO::Compression::ZipArchive zip(std::make_unique<cvq::zip::MemorySource>(sink.m_bytes),
                                            System::Text::Encoding::GetEncoding(L"shift_jis"));
    Check(zip.Entries().size() == expected.size());
    std::vector<std::uint8_t> buffer(4096);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& entry = zip.Entries()[i];
        const auto& record = cvq::zip::ArchiveAccess::Record(entry);
        Check(record.rawName == expected[i].name);
        cvq::zip::EntryStream stream(cvq::zip::ArchiveAccess::Source(zip), record);
        std::string got;
        while (const std::size_t n = stream.Read(buffer.data(), buffer.size())) {
            got.append(reinterpret_cast<const char*>(buffer.data()), n);
        }
        Check(got == expected[i].data);
    }
    return 0;
}
