// Compresses small files on worker threads ahead of the thread that writes the archive, in the
// archive's order and within a memory budget. Which thread compressed an entry never shows in the
// output: each entry's bytes depend only on its content and the level.
#pragma once

#include "archive_writer.h"
#include "source_tree.h"

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace cvq::zip {

class AheadCompressor {
public:
    // jobs: indices into items of the files to compress, in the order they will be taken.
    AheadCompressor(const std::vector<SourceItem>& items, std::vector<std::size_t> jobs, unsigned workers, int level,
                    std::size_t budget);
    ~AheadCompressor();
    AheadCompressor(const AheadCompressor&) = delete;
    AheadCompressor& operator=(const AheadCompressor&) = delete;

    // The next job's result, waiting for it if needed; a failure while reading the file is rethrown
    // here, in archive order.
    PreparedData TakeNext();

private:
    struct Slot {
        bool done = false;
        PreparedData data;
        std::exception_ptr error;
    };

    void WorkerLoop();
    void Stop() noexcept;
    bool CanStart() const;

    const std::vector<SourceItem>& m_items;
    std::vector<std::size_t> m_jobs;
    int m_level;
    std::size_t m_budget;
    std::mutex m_mutex;
    std::condition_variable m_progress;
    std::vector<Slot> m_slots;
    std::size_t m_next = 0;    // next job a worker starts
    std::size_t m_taken = 0;   // jobs handed to the writer
    std::size_t m_inFlight = 0;  // content bytes started and not yet taken
    bool m_stop = false;
    std::vector<std::thread> m_threads;
    std::unique_ptr<Deflater> m_ownDeflater;  // used when there are no workers
};

// Reads a whole file and compresses it (level 0: stored).
PreparedData PrepareFile(const std::wstring& path, std::uint64_t expectedSize, int level, Deflater* deflater);

} // namespace cvq::zip
