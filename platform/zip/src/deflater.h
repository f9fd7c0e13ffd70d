// zlib's raw Deflate (no zlib or gzip wrapper, as ZIP wants), kept across entries and reset between
// them, since setting one up costs more than compressing a small file.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>
#include <zlib.h>

namespace cvq::zip {

class Deflater {
public:
    explicit Deflater(int level);
    ~Deflater();
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    using Emit = std::function<void(const std::uint8_t*, std::size_t)>;

    // Compresses input; with finish the stream is ended and the Deflater is ready for a new one.
    void Feed(const std::uint8_t* input, std::size_t count, bool finish, const Emit& emit);
    void Feed(const std::uint8_t* input, std::size_t count, int flush, const Emit& emit);

    // The whole of input at once, appended to out.
    void CompressAll(const std::uint8_t* input, std::size_t count, std::vector<std::uint8_t>& out);

    // One piece of a longer stream, appended to out: primed with the 32 KiB that precede it (so
    // matches reach back across the cut) and ended on a byte boundary with a sync flush, or with the
    // stream's end when last. The bytes depend only on the arguments, so pieces can be compressed
    // on any thread and concatenated.
    void CompressPiece(const std::uint8_t* input, std::size_t count, const std::uint8_t* dictionary,
                       std::size_t dictionaryLength, bool last, std::vector<std::uint8_t>& out);

private:
    z_stream m_z{};
    std::vector<std::uint8_t> m_out;
};

std::uint32_t Crc32(std::uint32_t crc, const std::uint8_t* data, std::size_t count);

} // namespace cvq::zip
