// Compresses pieces of file content on worker threads. Pieces are handed in and taken out in the
// same order; what a piece becomes depends only on its bytes, the 32 KiB before it and the level,
// never on the thread that compressed it, so archives are identical whatever the thread count.
#pragma once

#include "deflater.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace cvq::zip {

struct Piece {
    std::vector<std::uint8_t> input;
    std::vector<std::uint8_t> dictionary;  // the up to 32 KiB of content before input
    bool last = false;                     // ends the entry's Deflate stream
};

struct CompressedPiece {
    std::vector<std::uint8_t> output;
    std::uint32_t crc32 = 0;  // of the input alone
    std::size_t inputSize = 0;
};

class PieceCompressor {
public:
    // level 0 stores (output is the input); workers 0 compresses on the calling thread.
    PieceCompressor(unsigned workers, int level);
    ~PieceCompressor();
    PieceCompressor(const PieceCompressor&) = delete;
    PieceCompressor& operator=(const PieceCompressor&) = delete;

    void Submit(Piece piece);
    // The oldest piece not yet taken, waiting for it if needed.
    CompressedPiece TakeOldest();

private:
    struct Slot {
        Piece piece;
        CompressedPiece result;
        bool started = false;
        bool done = false;
        std::exception_ptr error;
    };

    void WorkerLoop();
    void Run(Slot& slot, Deflater* deflater) const;

    int m_level;
    std::mutex m_mutex;
    std::condition_variable m_progress;
    std::deque<std::unique_ptr<Slot>> m_slots;  // submission order
    bool m_stop = false;
    std::unique_ptr<Deflater> m_ownDeflater;
    std::vector<std::thread> m_threads;
};

} // namespace cvq::zip
