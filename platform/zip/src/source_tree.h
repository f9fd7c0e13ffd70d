// The list of what goes into an archive made from a folder, in the order it is written.
#pragma once

#include <System/Text/Encoding.h>

#include "dos_time.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cvq::zip {

struct SourceItem {
    std::wstring path;   // on disk
    std::string name;    // entry name as stored: elements joined with '/', folders end with '/'
    bool isFolder = false;
    std::uint64_t size = 0;
    DosDateTime modified;
};

// Walks the folder depth first, each folder's items sorted by name, so archives of equal trees are
// equal. Files become entries; folders only when nothing lies below them. Links to folders are not
// followed (they become empty folder entries), which also keeps cycles out.
std::vector<SourceItem> CollectSourceTree(const std::wstring& folder, bool includeBaseDirectory,
                                          const System::Text::Encoding& nameEncoding);

} // namespace cvq::zip
