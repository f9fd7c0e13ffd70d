// ZipFile::CreateFromDirectory with the knobs that tests and benchmarks turn: thread count, Zip64
// thresholds and how much content may be compressed ahead in memory. None changes the output.
#pragma once

#include <System/Text/Encoding.h>

#include "archive_writer.h"

namespace cvq::zip {

// Content is compressed in pieces of this size (the last piece of a file may be shorter), each
// primed with the 32 KiB before it. Fixed: changing it changes the archive's bytes.
inline constexpr std::size_t kPieceSize = 1u << 20;

struct CreateOptions {
    unsigned threads = 0;                 // 0: one per processor (at most 8)
    WriterLimits limits;
    std::size_t aheadBudget = 16u << 20;  // content bytes read and compressed ahead of the writer
};

// level: 0 stored, 1..9 Deflate levels.
void CreateArchive(const wchar_t* sourceFolder, const wchar_t* archivePath, int level, bool includeBaseDirectory,
                   const System::Text::Encoding* nameEncoding, const CreateOptions& options);

} // namespace cvq::zip
