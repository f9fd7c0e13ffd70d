// ZipFile::CreateFromDirectory with the knobs that tests and benchmarks turn: thread count, Zip64
// thresholds and how much content may be compressed ahead in memory.
#pragma once

#include <System/Text/Encoding.h>

#include "archive_writer.h"

namespace cvq::zip {

struct CreateOptions {
    unsigned threads = 0;                    // 0: one per processor (at most 8)
    WriterLimits limits;
    std::size_t aheadLimit = 8u << 20;       // larger files are streamed by the writing thread
    std::size_t aheadBudget = 64u << 20;     // content bytes compressed ahead at any one time
};

// level: 0 stored, 1..9 Deflate levels.
void CreateArchive(const wchar_t* sourceFolder, const wchar_t* archivePath, int level, bool includeBaseDirectory,
                   const System::Text::Encoding* nameEncoding, const CreateOptions& options);

} // namespace cvq::zip
