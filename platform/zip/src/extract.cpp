// ZipFile::ExtractToDirectory: one entry after the other, each streamed from the archive into a
// file that is created new. Nothing is undone after a failure except the one file being written,
// which is removed so that no half-written or unverified file looks like a good one.
#include <System/IO/Compression.h>

#include "archive_access.h"
#include "byte_source.h"
#include "central_directory.h"
#include "entry_stream.h"
#include "os_file.h"
#include "path_rules.h"
#include "unicode.h"

#include <vector>

namespace System::IO::Compression {
namespace {

using namespace cvq::zip;

// Creates the folder and the missing folders above it.
void CreateFolderTree(const std::wstring& path)
{
    try {
        os::MakeDirectory(path);
    } catch (const DirectoryNotFoundException&) {
        const std::wstring trimmed = TrimTrailingSeparators(path);
        const std::size_t cut = trimmed.find_last_of(os::PathSeparators());
        if (cut == std::wstring::npos || cut == 0 || (cut == 2 && trimmed[1] == L':')) throw;
        CreateFolderTree(trimmed.substr(0, cut));
        os::MakeDirectory(path);
    }
}

class Extractor {
public:
    Extractor(ByteSource& source, std::wstring root) : m_source(source), m_root(std::move(root)) {}

    void Extract(const ZipArchiveEntry& entry, const EntryRecord& record)
    {
        const EntryTarget target = ResolveEntryName(entry.FullName());
        if (target.isFolder) {
            if (record.size != 0) throw IOException("folder entry holds data: " + EncodeUtf8(entry.FullName()));
            EnsureFolders(target.parts, target.parts.size());
            return;
        }
        EnsureFolders(target.parts, target.parts.size() - 1);
        const std::wstring path = JoinPath(m_root, target.parts, target.parts.size());
        EntryStream stream(m_source, record);  // refuses unsupported entries before creating anything
        os::File file(path, os::File::Mode::CreateNew);
        try {
            std::uint64_t at = 0;
            while (const std::size_t n = stream.Read(m_buffer.data(), m_buffer.size())) {
                file.WriteAt(at, m_buffer.data(), n);
                at += n;
            }
            file.SetLastWriteTime(os::FromLocalCivil(FromDos(record.modified)));
            file.Close();
        } catch (...) {
            file.Discard();  // Windows cannot remove a file that is still open
            os::RemoveFile(path);
            throw;
        }
    }

private:
    void EnsureFolders(const std::vector<std::wstring>& parts, std::size_t count)
    {
        // Entries of one folder usually follow each other: skip the system calls for known folders.
        for (std::size_t i = 1; i <= count; ++i) {
            std::wstring folder = JoinPath(m_root, parts, i);
            if (i <= m_known.size() && m_known[i - 1] == folder) continue;
            os::MakeDirectory(folder);
            m_known.resize(i);
            m_known[i - 1] = std::move(folder);
        }
    }

    ByteSource& m_source;
    std::wstring m_root;
    std::vector<std::wstring> m_known;
    std::vector<std::uint8_t> m_buffer = std::vector<std::uint8_t>(256 * 1024);
};

} // namespace

void ZipFile::ExtractToDirectory(const wchar_t* sourceArchiveFileName, const wchar_t* destinationDirectoryName,
                                 const Text::Encoding* entryNameEncoding)
{
    CheckPathArgument(sourceArchiveFileName, "sourceArchiveFileName");
    CheckPathArgument(destinationDirectoryName, "destinationDirectoryName");
    ZipArchive archive(OpenFileSource(sourceArchiveFileName), entryNameEncoding);
    const std::wstring root = TrimTrailingSeparators(destinationDirectoryName);
    CreateFolderTree(root);
    Extractor extractor(ArchiveAccess::Source(archive), root);
    for (const ZipArchiveEntry& entry : archive.Entries()) extractor.Extract(entry, ArchiveAccess::Record(entry));
}

} // namespace System::IO::Compression
