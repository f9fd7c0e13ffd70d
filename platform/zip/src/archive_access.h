// The layer's own way into ZipArchive and ZipArchiveEntry, which keep their parts private from
// callers.
#pragma once

#include <System/IO/Compression.h>

#include "byte_source.h"
#include "central_directory.h"

namespace cvq::zip {

struct ArchiveAccess {
    static ByteSource& Source(System::IO::Compression::ZipArchive& archive) { return *archive.m_source; }
    static const EntryRecord& Record(const System::IO::Compression::ZipArchiveEntry& entry) { return *entry.m_record; }
};

} // namespace cvq::zip
