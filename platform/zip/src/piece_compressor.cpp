// A small pool: workers take the oldest piece nobody has started; the writer takes results in
// submission order.
#include "piece_compressor.h"

#include <System/Exception.h>

namespace cvq::zip {

PieceCompressor::PieceCompressor(unsigned workers, int level) : m_level(level)
{
    try {
        for (unsigned i = 0; i < workers; ++i) m_threads.emplace_back([this] { WorkerLoop(); });
    } catch (...) {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_progress.notify_all();
        for (auto& t : m_threads) t.join();
        throw;
    }
}

PieceCompressor::~PieceCompressor()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_progress.notify_all();
    for (auto& t : m_threads) t.join();
}

void PieceCompressor::Run(Slot& slot, Deflater* deflater) const
{
    const Piece& p = slot.piece;
    slot.result.inputSize = p.input.size();
    slot.result.crc32 = Crc32(0, p.input.data(), p.input.size());
    if (m_level == 0) {
        slot.result.output = p.input;
    } else {
        slot.result.output.reserve(p.input.size() / 2 + 64);
        deflater->CompressPiece(p.input.data(), p.input.size(), p.dictionary.data(), p.dictionary.size(), p.last,
                                slot.result.output);
    }
}

void PieceCompressor::Submit(Piece piece)
{
    auto slot = std::make_unique<Slot>();
    slot->piece = std::move(piece);
    {
        std::lock_guard lock(m_mutex);
        m_slots.push_back(std::move(slot));
    }
    m_progress.notify_one();
}

void PieceCompressor::WorkerLoop()
{
    std::unique_ptr<Deflater> deflater;
    std::unique_lock lock(m_mutex);
    for (;;) {
        Slot* slot = nullptr;
        m_progress.wait(lock, [&] {
            if (m_stop) return true;
            for (auto& s : m_slots) {
                if (!s->started) {
                    slot = s.get();
                    return true;
                }
            }
            return false;
        });
        if (m_stop) return;
        slot->started = true;
        lock.unlock();
        try {
            if (!deflater && m_level != 0) deflater = std::make_unique<Deflater>(m_level);
            Run(*slot, deflater.get());
        } catch (...) {
            slot->error = std::current_exception();
        }
        lock.lock();
        slot->done = true;
        m_progress.notify_all();
    }
}

CompressedPiece PieceCompressor::TakeOldest()
{
    std::unique_ptr<Slot> slot;
    {
        std::unique_lock lock(m_mutex);
        if (m_slots.empty()) throw System::IO::IOException("no piece to take");
        if (m_threads.empty()) {
            slot = std::move(m_slots.front());
            m_slots.pop_front();
            lock.unlock();
            if (!m_ownDeflater && m_level != 0) m_ownDeflater = std::make_unique<Deflater>(m_level);
            Run(*slot, m_ownDeflater.get());
            return std::move(slot->result);
        }
        m_progress.wait(lock, [&] { return m_slots.front()->done; });
        slot = std::move(m_slots.front());
        m_slots.pop_front();
    }
    if (slot->error) std::rethrow_exception(slot->error);
    return std::move(slot->result);
}

} // namespace cvq::zip
