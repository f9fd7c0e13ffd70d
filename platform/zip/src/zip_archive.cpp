// Opening an archive for reading: the central directory is read and every name decoded up front.
#include <System/IO/Compression.h>

#include "byte_source.h"
#include "central_directory.h"
#include "path_rules.h"
#include "zip_format.h"

namespace System::IO::Compression {

ZipArchiveEntry::ZipArchiveEntry(std::shared_ptr<const cvq::zip::EntryRecord> record, std::wstring fullName)
    : m_record(std::move(record)), m_fullName(std::move(fullName))
{
}

std::wstring ZipArchiveEntry::Name() const
{
    const std::size_t slash = m_fullName.find_last_of(L"/\\");
    return slash == std::wstring::npos ? m_fullName : m_fullName.substr(slash + 1);
}

std::uint64_t ZipArchiveEntry::Length() const { return m_record->size; }
std::uint64_t ZipArchiveEntry::CompressedLength() const { return m_record->compressedSize; }

ZipArchive::ZipArchive(std::unique_ptr<cvq::zip::ByteSource> source, const Text::Encoding* nameEncoding)
    : m_source(std::move(source))
{
    const Text::Encoding* fallback = nameEncoding != nullptr ? nameEncoding : Text::Encoding::UTF8();
    auto records = cvq::zip::ReadCentralDirectory(*m_source);
    m_entries.reserve(records.size());
    for (auto& record : records) {
        // Decoded whole, before anyone looks for separators: a Shift_JIS second byte can be '\'.
        const bool utf8 = (record->flags & cvq::zip::format::kFlagUtf8) != 0;
        std::wstring name = (utf8 ? Text::Encoding::UTF8() : fallback)->GetString(record->rawName);
        m_entries.emplace_back(std::move(record), std::move(name));
    }
}

ZipArchive::ZipArchive(ZipArchive&&) noexcept = default;
ZipArchive& ZipArchive::operator=(ZipArchive&&) noexcept = default;
ZipArchive::~ZipArchive() = default;

ZipArchive ZipFile::OpenRead(const wchar_t* archiveFileName)
{
    cvq::zip::CheckPathArgument(archiveFileName, "archiveFileName");
    return ZipArchive(cvq::zip::OpenFileSource(archiveFileName), Text::Encoding::GetEncoding(L"shift_jis"));
}

} // namespace System::IO::Compression
