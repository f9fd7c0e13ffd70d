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

    // The whole of input at once, appended to out.
    void CompressAll(const std::uint8_t* input, std::size_t count, std::vector<std::uint8_t>& out);

private:
    z_stream m_z{};
    std::vector<std::uint8_t> m_out;
};

std::uint32_t Crc32(std::uint32_t crc, const std::uint8_t* data, std::size_t count);

} // namespace cvq::zip
