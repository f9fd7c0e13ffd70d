// ZipFile::CreateFromDirectory: the archive is built under a temporary name beside the destination
// and renamed into place without replacing anything, so a failure or a crash never leaves a partial
// archive under the name the caller asked for.
#include "create_archive.h"

#include <System/IO/Compression.h>

#include "piece_compressor.h"
#include "deflater.h"
#include "os_file.h"
#include "path_rules.h"
#include "source_tree.h"
#include "unicode.h"

#include <chrono>
#include <deque>
#include <zlib.h>
#include <thread>

namespace cvq::zip {
namespace {

class FileSink final : public ByteSink {
public:
    explicit FileSink(os::File& file) : m_file(file) {}
    void WriteAt(std::uint64_t offset, const void* data, std::size_t count) override { m_file.WriteAt(offset, data, count); }

private:
    os::File& m_file;
};

// A fresh name beside the destination; the odd suffix keeps it clear of the user's own files.
os::File CreateTemporary(const std::wstring& destination, std::wstring& path)
{
    auto seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        static const wchar_t kHex[] = L"0123456789abcdef";
        path = destination + L".~";
        for (int i = 0; i < 6; ++i) path.push_back(kHex[(seed >> (60 - 4 * i)) & 0xF]);
        if (os::Probe(path) != os::Kind::Missing) continue;
        return os::File(path, os::File::Mode::CreateNew);
    }
    throw System::IO::IOException("no free temporary name beside " + EncodeUtf8(destination));
}

unsigned ThreadCount(unsigned requested)
{
    if (requested != 0) return requested;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : std::min(cores, 8u);
}

// Reads files in archive order on this thread, hands their pieces to the compressor and writes
// the results in the same order, keeping at most the budget's worth of content in flight.
class Pipeline {
public:
    Pipeline(os::File& file, int level, bool utf8, const CreateOptions& options)
        : m_sink(file), m_writer(m_sink, options.limits), m_level(level), m_utf8(utf8),
          m_budget(std::max(options.aheadBudget, kPieceSize)),
          m_compressor(ThreadCount(options.threads) > 1 ? ThreadCount(options.threads) : 0, level)
    {
    }

    void Add(const SourceItem& item)
    {
        if (item.isFolder) {
            m_actions.push_back({Action::Folder, &item, 0});
            return;
        }
        os::File input(item.path, os::File::Mode::Read);
        std::uint64_t at = 0;
        // Sized by what the listing promised, so a small file costs no more than its own size; a
        // file that grew meanwhile is still cut at whole pieces.
        auto readPiece = [&] {
            const std::uint64_t promised = item.size > at ? item.size - at : 0;
            std::vector<std::uint8_t> piece(static_cast<std::size_t>(std::min<std::uint64_t>(kPieceSize, promised + 1)));
            std::size_t used = 0;
            for (;;) {
                if (used == piece.size()) {
                    if (piece.size() == kPieceSize) break;
                    piece.resize(kPieceSize);
                }
                const std::size_t n = input.ReadAt(at, piece.data() + used, piece.size() - used);
                if (n == 0) break;
                used += n;
                at += n;
            }
            piece.resize(used);
            return piece;
        };
        std::vector<std::uint8_t> current = readPiece();
        m_actions.push_back({current.empty() ? Action::BeginStored : Action::Begin, &item, 0});
        std::vector<std::uint8_t> dictionary;
        while (!current.empty()) {
            std::vector<std::uint8_t> next = readPiece();  // one piece ahead: is this one the last?
            const bool last = next.empty();
            const std::size_t dictionaryStart = current.size() > kDictionary ? current.size() - kDictionary : 0;
            std::vector<std::uint8_t> nextDictionary(current.begin() + static_cast<std::ptrdiff_t>(dictionaryStart),
                                                     current.end());
            m_inFlight += current.size();
            ++m_piecesInFlight;
            m_actions.push_back({Action::Piece, &item, current.size()});
            m_compressor.Submit(Piece{std::move(current), std::move(dictionary), last});
            dictionary = std::move(nextDictionary);
            current = std::move(next);
            Drain(m_budget);
        }
        m_actions.push_back({Action::End, &item, 0});
        Drain(m_budget);
    }

    void Finish()
    {
        Drain(0);
        m_writer.Finish();
    }

private:
    static constexpr std::size_t kDictionary = 32 * 1024;
    static constexpr std::size_t kMaxPieces = 64;  // many small files: keeps the queues short

    struct Action {
        enum Kind { Folder, BeginStored, Begin, Piece, End } kind;
        const SourceItem* item;
        std::size_t size;
    };

    // Writes out actions from the front until no more than budget bytes (and kMaxPieces pieces)
    // are in flight.
    void Drain(std::size_t budget)
    {
        while (!m_actions.empty() && (m_inFlight > budget || m_piecesInFlight > kMaxPieces ||
                                      m_actions.front().kind != Action::Piece || budget == 0)) {
            const Action a = m_actions.front();
            m_actions.pop_front();
            switch (a.kind) {
            case Action::Folder: m_writer.AddFolder(a.item->name, m_utf8, a.item->modified); break;
            case Action::BeginStored:
            case Action::Begin: {
                const bool stored = a.kind == Action::BeginStored || m_level == 0;
                m_writer.BeginEntry(a.item->name, m_utf8, a.item->modified, stored ? 0 : 8, a.item->size,
                                    a.item->size / kPieceSize + 1);
                m_crc = 0;
                m_size = 0;
                break;
            }
            case Action::Piece: {
                const CompressedPiece piece = m_compressor.TakeOldest();
                m_writer.AppendData(piece.output.data(), piece.output.size());
                m_crc = static_cast<std::uint32_t>(crc32_combine(m_crc, piece.crc32, static_cast<z_off_t>(piece.inputSize)));
                m_size += piece.inputSize;
                m_inFlight -= a.size;
                --m_piecesInFlight;
                break;
            }
            case Action::End: m_writer.EndEntry(m_crc, m_size); break;
            }
        }
    }

    FileSink m_sink;
    ArchiveWriter m_writer;
    int m_level;
    bool m_utf8;
    std::size_t m_budget;
    PieceCompressor m_compressor;
    std::deque<Action> m_actions;
    std::size_t m_inFlight = 0;
    std::size_t m_piecesInFlight = 0;
    std::uint32_t m_crc = 0;
    std::uint64_t m_size = 0;
};

void WriteArchive(os::File& file, const std::vector<SourceItem>& items, int level, bool utf8,
                  const CreateOptions& options)
{
    Pipeline pipeline(file, level, utf8, options);
    for (const SourceItem& item : items) pipeline.Add(item);
    pipeline.Finish();
}

} // namespace

void CreateArchive(const wchar_t* sourceFolder, const wchar_t* archivePath, int level, bool includeBaseDirectory,
                   const System::Text::Encoding* nameEncoding, const CreateOptions& options)
{
    CheckPathArgument(sourceFolder, "sourceDirectoryName");
    CheckPathArgument(archivePath, "destinationArchiveFileName");
    const System::Text::Encoding& encoding = nameEncoding != nullptr ? *nameEncoding : *System::Text::Encoding::UTF8();
    const std::wstring destination = archivePath;
    if (os::Probe(destination) != os::Kind::Missing) {
        throw System::IO::IOException("archive already exists: " + EncodeUtf8(destination));
    }
    const std::wstring source = TrimTrailingSeparators(sourceFolder);
    if (os::Probe(source) != os::Kind::Directory) {
        throw System::IO::DirectoryNotFoundException("folder not found: " + EncodeUtf8(source));
    }
    const std::vector<SourceItem> items = CollectSourceTree(source, includeBaseDirectory, encoding);

    std::wstring temporary;
    os::File file = CreateTemporary(destination, temporary);
    try {
        WriteArchive(file, items, level, encoding.GetKind() == System::Text::Encoding::Kind::Utf8, options);
        file.Close();
        os::RenameNoReplace(temporary, destination);
    } catch (...) {
        file.Discard();
        os::RemoveFile(temporary);
        throw;
    }
}

} // namespace cvq::zip

namespace System::IO::Compression {

void ZipFile::CreateFromDirectory(const wchar_t* sourceDirectoryName, const wchar_t* destinationArchiveFileName,
                                  CompressionLevel compressionLevel, bool includeBaseDirectory,
                                  const Text::Encoding* entryNameEncoding)
{
    const int level = compressionLevel == CompressionLevel::Optimal   ? 6
                      : compressionLevel == CompressionLevel::Fastest ? 1
                                                                      : 0;
    cvq::zip::CreateArchive(sourceDirectoryName, destinationArchiveFileName, level, includeBaseDirectory,
                            entryNameEncoding, {});
}

} // namespace System::IO::Compression
