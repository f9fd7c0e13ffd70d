// Streaming read of one entry's data: the local header is checked against the central one, the data
// is inflated piece by piece, and the CRC-32 and size are verified when the entry ends.
#pragma once

#include "central_directory.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace cvq::zip {

class ByteSource;

class EntryStream {
public:
    // InvalidDataException for encrypted entries, methods other than stored and Deflate, and a local
    // header that is missing, out of bounds or disagrees with the central directory.
    EntryStream(ByteSource& source, const EntryRecord& entry);
    ~EntryStream();
    EntryStream(const EntryStream&) = delete;
    EntryStream& operator=(const EntryStream&) = delete;

    // Fills up to capacity bytes; returns 0 once the entry is complete and verified. Damaged,
    // truncated or mismatching data is an InvalidDataException.
    std::size_t Read(std::uint8_t* out, std::size_t capacity);

private:
    std::size_t ReadStored(std::uint8_t* out, std::size_t capacity);
    std::size_t ReadDeflated(std::uint8_t* out, std::size_t capacity);
    void Refill();
    void Finish();

    struct Inflater;
    ByteSource& m_source;
    const EntryRecord& m_entry;
    std::uint64_t m_dataPos = 0;        // next compressed byte to read from the source
    std::uint64_t m_compressedLeft = 0;  // compressed bytes not yet read from the source
    std::uint64_t m_produced = 0;
    std::uint32_t m_crc = 0;
    bool m_streamEnded = false;
    bool m_done = false;
    std::vector<std::uint8_t> m_input;
    std::unique_ptr<Inflater> m_inflater;
};

} // namespace cvq::zip
