// ZipFile::CreateFromDirectory: the archive is built under a temporary name beside the destination
// and renamed into place without replacing anything, so a failure or a crash never leaves a partial
// archive under the name the caller asked for.
#include "create_archive.h"

#include <System/IO/Compression.h>

#include "ahead_compressor.h"
#include "deflater.h"
#include "os_file.h"
#include "path_rules.h"
#include "source_tree.h"
#include "unicode.h"

#include <chrono>
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

void WriteArchive(os::File& file, const std::vector<SourceItem>& items, int level, bool utf8,
                  const CreateOptions& options)
{
    std::vector<std::size_t> ahead;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].isFolder && items[i].size <= options.aheadLimit) ahead.push_back(i);
    }
    const unsigned threads = ThreadCount(options.threads);
    AheadCompressor compressor(items, std::move(ahead), threads > 1 ? threads : 0, level, options.aheadBudget);
    FileSink sink(file);
    ArchiveWriter writer(sink, options.limits);
    for (const SourceItem& item : items) {
        if (item.isFolder) {
            writer.AddFolder(item.name, utf8, item.modified);
        } else if (item.size <= options.aheadLimit) {
            writer.AddPrepared(item.name, utf8, item.modified, compressor.TakeNext());
        } else {
            os::File input(item.path, os::File::Mode::Read);
            std::uint64_t at = 0;
            writer.AddStreamed(item.name, utf8, item.modified, item.size, level,
                               [&](std::uint8_t* buffer, std::size_t capacity) {
                                   const std::size_t n = input.ReadAt(at, buffer, capacity);
                                   at += n;
                                   return n;
                               });
        }
    }
    writer.Finish();
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
