// Worker threads and their hand-over to the writing thread.
#include "ahead_compressor.h"

#include "deflater.h"
#include "os_file.h"

namespace cvq::zip {

PreparedData PrepareFile(const std::wstring& path, std::uint64_t expectedSize, int level, Deflater* deflater)
{
    os::File file(path, os::File::Mode::Read);
    std::uint64_t at = 0;
    return PrepareData(
        [&](std::uint8_t* buffer, std::size_t capacity) {
            const std::size_t n = file.ReadAt(at, buffer, capacity);
            at += n;
            return n;
        },
        expectedSize, level, deflater);
}

AheadCompressor::AheadCompressor(const std::vector<SourceItem>& items, std::vector<std::size_t> jobs,
                                 unsigned workers, int level, std::size_t budget)
    : m_items(items), m_jobs(std::move(jobs)), m_level(level), m_budget(budget), m_slots(m_jobs.size())
{
    try {
        for (unsigned i = 0; i < workers; ++i) m_threads.emplace_back([this] { WorkerLoop(); });
    } catch (...) {
        Stop();
        throw;
    }
}

AheadCompressor::~AheadCompressor() { Stop(); }

void AheadCompressor::Stop() noexcept
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_progress.notify_all();
    for (auto& t : m_threads) {
        if (t.joinable()) t.join();
    }
}

bool AheadCompressor::CanStart() const
{
    if (m_next >= m_jobs.size()) return false;
    const std::uint64_t size = m_items[m_jobs[m_next]].size;
    return m_inFlight == 0 || m_inFlight + size <= m_budget;
}

void AheadCompressor::WorkerLoop()
{
    std::unique_ptr<Deflater> deflater;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_progress.wait(lock, [this] { return m_stop || CanStart(); });
        if (m_stop) return;
        const std::size_t job = m_next++;
        const SourceItem& item = m_items[m_jobs[job]];
        m_inFlight += static_cast<std::size_t>(item.size);
        lock.unlock();
        Slot result;
        try {
            if (!deflater && m_level != 0) deflater = std::make_unique<Deflater>(m_level);
            result.data = PrepareFile(item.path, item.size, m_level, deflater.get());
        } catch (...) {
            result.error = std::current_exception();
        }
        result.done = true;
        lock.lock();
        m_slots[job] = std::move(result);
        m_progress.notify_all();
    }
}

PreparedData AheadCompressor::TakeNext()
{
    std::unique_lock lock(m_mutex);
    const std::size_t job = m_taken;
    if (m_threads.empty()) {
        // No workers: compress here, with the same result.
        lock.unlock();
        if (!m_ownDeflater && m_level != 0) m_ownDeflater = std::make_unique<Deflater>(m_level);
        ++m_taken;
        return PrepareFile(m_items[m_jobs[job]].path, m_items[m_jobs[job]].size, m_level, m_ownDeflater.get());
    }
    m_progress.wait(lock, [&] { return m_slots[job].done; });
    Slot slot = std::move(m_slots[job]);
    m_slots[job] = Slot{};
    ++m_taken;
    m_inFlight -= static_cast<std::size_t>(m_items[m_jobs[job]].size);
    lock.unlock();
    m_progress.notify_all();
    if (slot.error) std::rethrow_exception(slot.error);
    return std::move(slot.data);
}

} // namespace cvq::zip
