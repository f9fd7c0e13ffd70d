// Locating the end record and reading the central directory of an untrusted archive.
#pragma once

#include "dos_time.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace cvq::zip {

class ByteSource;

// One central-directory entry, with Zip64 values already applied.
struct EntryRecord {
    std::uint16_t versionMadeBy = 0;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    DosDateTime modified;
    std::uint32_t crc32 = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;
    std::uint64_t localHeaderOffset = 0;
    // End of the space this entry may occupy: the next entry's local header or the central
    // directory. Entries never share bytes.
    std::uint64_t spaceEnd = 0;
    std::string rawName;
};

// Throws InvalidDataException unless the end record, the Zip64 records if any, and every central
// header are present, in bounds and consistent, and no two entries overlap.
std::vector<std::shared_ptr<const EntryRecord>> ReadCentralDirectory(ByteSource& source);

} // namespace cvq::zip
