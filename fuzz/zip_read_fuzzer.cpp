// Fuzz target: any bytes as an archive. Listing, name decoding, the extraction guard and reading
// every entry's data must end in data or in one of the layer's exceptions, never in a crash, a
// sanitizer report, a hang or a runaway allocation.
#include <System/IO/Compression.h>

#include "archive_access.h"
#include "byte_source.h"
#include "entry_stream.h"
#include "path_rules.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace System::IO::Compression;
    const auto* sjis = System::Text::Encoding::GetEncoding(L"shift_jis");
    try {
        ZipArchive zip(std::make_unique<cvq::zip::MemorySource>(std::string(reinterpret_cast<const char*>(data), size)),
                       sjis);
        std::vector<std::uint8_t> buffer(64 * 1024);
        for (const ZipArchiveEntry& entry : zip.Entries()) {
            const auto& record = cvq::zip::ArchiveAccess::Record(entry);
            (void)System::Text::Encoding::UTF8()->GetString(record.rawName);
            try {
                (void)cvq::zip::ResolveEntryName(entry.FullName());
            } catch (const System::Exception&) {
            }
            try {
                cvq::zip::EntryStream stream(cvq::zip::ArchiveAccess::Source(zip), record);
                while (stream.Read(buffer.data(), buffer.size()) != 0) {
                }
            } catch (const System::Exception&) {
            }
        }
    } catch (const System::Exception&) {
    }
    return 0;
}
