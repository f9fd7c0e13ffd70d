// Deflate through zlib. Output depends only on the level and the data, never on how the data was
// handed over, which keeps archives identical whatever thread compressed which entry.
#include "deflater.h"

#include <System/Exception.h>

#include <algorithm>

namespace cvq::zip {

Deflater::Deflater(int level) : m_out(64 * 1024)
{
    if (deflateInit2(&m_z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw System::IO::IOException("zlib could not start");
    }
}

Deflater::~Deflater() { deflateEnd(&m_z); }

void Deflater::Feed(const std::uint8_t* input, std::size_t count, bool finish, const Emit& emit)
{
    Feed(input, count, finish ? Z_FINISH : Z_NO_FLUSH, emit);
}

void Deflater::Feed(const std::uint8_t* input, std::size_t count, int flushAtEnd, const Emit& emit)
{
    constexpr std::size_t kMaxStep = 1u << 30;  // avail_in is 32 bits wide
    do {
        const std::size_t step = std::min(count, kMaxStep);
        m_z.next_in = const_cast<std::uint8_t*>(input);
        m_z.avail_in = static_cast<uInt>(step);
        input += step;
        count -= step;
        const int flush = count == 0 ? flushAtEnd : Z_NO_FLUSH;
        int rc = Z_OK;
        do {
            m_z.next_out = m_out.data();
            m_z.avail_out = static_cast<uInt>(m_out.size());
            rc = deflate(&m_z, flush);
            if (rc == Z_STREAM_ERROR) throw System::IO::IOException("zlib failed");
            const std::size_t produced = m_out.size() - m_z.avail_out;
            if (produced > 0) emit(m_out.data(), produced);
        } while (m_z.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
    } while (count > 0);
    if (flushAtEnd == Z_FINISH) deflateReset(&m_z);
}

void Deflater::CompressPiece(const std::uint8_t* input, std::size_t count, const std::uint8_t* dictionary,
                             std::size_t dictionaryLength, bool last, std::vector<std::uint8_t>& out)
{
    deflateReset(&m_z);
    if (dictionaryLength > 0 &&
        deflateSetDictionary(&m_z, dictionary, static_cast<uInt>(dictionaryLength)) != Z_OK) {
        throw System::IO::IOException("zlib refused a dictionary");
    }
    Feed(input, count, last ? Z_FINISH : Z_SYNC_FLUSH,
         [&out](const std::uint8_t* p, std::size_t n) { out.insert(out.end(), p, p + n); });
    if (!last) deflateReset(&m_z);
}

void Deflater::CompressAll(const std::uint8_t* input, std::size_t count, std::vector<std::uint8_t>& out)
{
    Feed(input, count, true, [&out](const std::uint8_t* p, std::size_t n) { out.insert(out.end(), p, p + n); });
}

std::uint32_t Crc32(std::uint32_t crc, const std::uint8_t* data, std::size_t count)
{
    while (count > 0) {
        const auto chunk = static_cast<uInt>(std::min<std::size_t>(count, 1u << 30));
        crc = static_cast<std::uint32_t>(crc32(crc, data, chunk));
        data += chunk;
        count -= chunk;
    }
    return crc;
}

} // namespace cvq::zip
