// ZIP archives: listing, extracting to a folder and creating from a folder, with .NET's names
// (System.IO.Compression.ZipFile and friends). Failures are the kinds of <System/Exception.h>.
//
// Names read from an archive: an entry whose general-purpose flag bit 11 is set is decoded as UTF-8,
// any other with the caller's encoding. OpenRead has no encoding argument: unflagged names are decoded
// as code page 932 on every system, because that is what this program's archives are written in
// (.NET would use the system's default code page).
#pragma once

#include <System/Exception.h>
#include <System/Text/Encoding.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace cvq::zip {
class ByteSource;
struct EntryRecord;
struct ArchiveAccess;
} // namespace cvq::zip

namespace System::IO::Compression {

// Optimal is what the program asks for: Deflate at zlib level 6.
enum class CompressionLevel { Optimal = 0, Fastest = 1, NoCompression = 2 };

class ZipArchiveEntry {
public:
    // The name exactly as stored (separators, folder suffix and all), decoded.
    const std::wstring& FullName() const { return m_fullName; }
    // The last element of FullName ("" for a folder entry).
    std::wstring Name() const;
    std::uint64_t Length() const;
    std::uint64_t CompressedLength() const;

    ZipArchiveEntry(std::shared_ptr<const cvq::zip::EntryRecord> record, std::wstring fullName);

private:
    friend struct cvq::zip::ArchiveAccess;
    std::shared_ptr<const cvq::zip::EntryRecord> m_record;
    std::wstring m_fullName;
};

// An archive open for reading; closes its file when destroyed. Move-only.
class ZipArchive {
public:
    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    // In central-directory order, folder entries included.
    const std::vector<ZipArchiveEntry>& Entries() const { return m_entries; }

    // For the layer itself and its tests: reads an archive held by any byte source.
    ZipArchive(std::unique_ptr<cvq::zip::ByteSource> source, const Text::Encoding* nameEncoding);

private:
    friend struct cvq::zip::ArchiveAccess;
    std::unique_ptr<cvq::zip::ByteSource> m_source;
    std::vector<ZipArchiveEntry> m_entries;
};

class ZipFile {
public:
    // Unflagged names decode as code page 932 (see above).
    static ZipArchive OpenRead(const wchar_t* archiveFileName);

    // Extracts every entry below destinationDirectoryName (created if missing). Never overwrites:
    // an existing file is an IOException, and the entries extracted before any failure stay.
    // Entries that would land outside the folder are an IOException. CRC-32 and sizes are checked.
    // A null entryNameEncoding means UTF-8 for unflagged names too.
    static void ExtractToDirectory(const wchar_t* sourceArchiveFileName,
                                   const wchar_t* destinationDirectoryName,
                                   const Text::Encoding* entryNameEncoding);

    // Archives a folder into a new file; an existing destination is an IOException and stays
    // untouched. The archive is built under a temporary name beside the destination and renamed
    // into place only when complete. A null entryNameEncoding means UTF-8.
    static void CreateFromDirectory(const wchar_t* sourceDirectoryName,
                                    const wchar_t* destinationArchiveFileName,
                                    CompressionLevel compressionLevel, bool includeBaseDirectory,
                                    const Text::Encoding* entryNameEncoding);
};

} // namespace System::IO::Compression
