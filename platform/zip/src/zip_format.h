// Record signatures, field offsets and limits of the ZIP format (PKWARE APPNOTE 6.3), by name.
#pragma once

#include <cstdint>

namespace cvq::zip::format {

inline constexpr std::uint32_t kLocalSig = 0x04034b50;
inline constexpr std::uint32_t kCentralSig = 0x02014b50;
inline constexpr std::uint32_t kEndSig = 0x06054b50;
inline constexpr std::uint32_t kZip64EndSig = 0x06064b50;
inline constexpr std::uint32_t kZip64LocatorSig = 0x07064b50;
inline constexpr std::uint32_t kDescriptorSig = 0x08074b50;

inline constexpr std::uint16_t kZip64ExtraId = 0x0001;
inline constexpr std::uint32_t kMax32 = 0xFFFFFFFF;  // also the "see the Zip64 field" marker
inline constexpr std::uint16_t kMax16 = 0xFFFF;

inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflate = 8;

inline constexpr std::uint16_t kFlagEncrypted = 1 << 0;
inline constexpr std::uint16_t kFlagDescriptor = 1 << 3;
inline constexpr std::uint16_t kFlagStrongEncryption = 1 << 6;
inline constexpr std::uint16_t kFlagUtf8 = 1 << 11;

namespace local {
inline constexpr std::size_t kSig = 0, kVersionNeeded = 4, kFlags = 6, kMethod = 8, kTime = 10, kDate = 12,
                             kCrc = 14, kCompressedSize = 18, kSize = 22, kNameLength = 26, kExtraLength = 28;
inline constexpr std::size_t kFixedSize = 30;
} // namespace local

namespace central {
inline constexpr std::size_t kSig = 0, kVersionMadeBy = 4, kVersionNeeded = 6, kFlags = 8, kMethod = 10,
                             kTime = 12, kDate = 14, kCrc = 16, kCompressedSize = 20, kSize = 24,
                             kNameLength = 28, kExtraLength = 30, kCommentLength = 32, kDiskStart = 34,
                             kInternalAttributes = 36, kExternalAttributes = 38, kLocalOffset = 42;
inline constexpr std::size_t kFixedSize = 46;
} // namespace central

namespace end {
inline constexpr std::size_t kSig = 0, kDisk = 4, kCentralDisk = 6, kEntriesOnDisk = 8, kEntries = 10,
                             kCentralSize = 12, kCentralOffset = 16, kCommentLength = 20;
inline constexpr std::size_t kFixedSize = 22;
inline constexpr std::size_t kMaxComment = 0xFFFF;
} // namespace end

namespace zip64_locator {
inline constexpr std::size_t kSig = 0, kEndDisk = 4, kEndOffset = 8, kDiskCount = 16;
inline constexpr std::size_t kFixedSize = 20;
} // namespace zip64_locator

namespace zip64_end {
inline constexpr std::size_t kSig = 0, kRecordSize = 4, kVersionMadeBy = 12, kVersionNeeded = 14, kDisk = 16,
                             kCentralDisk = 20, kEntriesOnDisk = 24, kEntries = 32, kCentralSize = 40,
                             kCentralOffset = 48;
inline constexpr std::size_t kFixedSize = 56;
} // namespace zip64_end

// Version fields: 2.0 for Deflate and folders, 4.5 for Zip64; "made by" MS-DOS, as the attributes are.
inline constexpr std::uint16_t kVersionDefault = 20;
inline constexpr std::uint16_t kVersionZip64 = 45;
inline constexpr std::uint32_t kDosDirectoryAttribute = 0x10;

} // namespace cvq::zip::format
