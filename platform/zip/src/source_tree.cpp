// Directory walk for CreateFromDirectory.
#include "source_tree.h"

#include "os_file.h"
#include "path_rules.h"

#include <algorithm>

namespace cvq::zip {
namespace {

class Walker {
public:
    Walker(const System::Text::Encoding& encoding, std::vector<SourceItem>& out) : m_encoding(encoding), m_out(out) {}

    // Returns whether anything was added below folder.
    bool Walk(const std::wstring& folder, const std::string& prefix)
    {
        std::vector<os::DirItem> items = os::ListDirectory(folder);
        std::sort(items.begin(), items.end(), [](const os::DirItem& a, const os::DirItem& b) { return a.name < b.name; });
        const std::wstring separator(1, os::PathSeparators()[0]);
        for (const os::DirItem& item : items) {
            SourceItem s;
            s.path = folder + separator + item.name;
            s.name = prefix + m_encoding.GetBytes(item.name);
            s.modified = ToDos(os::ToLocalCivil(item.lastWrite));
            if (item.kind == os::Kind::Directory) {
                if (!item.isLink && Walk(s.path, s.name + "/")) continue;
                s.name += "/";
                s.isFolder = true;
            } else {
                s.size = item.size;
            }
            m_out.push_back(std::move(s));
        }
        return !items.empty();
    }

private:
    const System::Text::Encoding& m_encoding;
    std::vector<SourceItem>& m_out;
};

std::wstring LastElement(const std::wstring& path)
{
    const std::size_t cut = path.find_last_of(os::PathSeparators());
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

} // namespace

std::vector<SourceItem> CollectSourceTree(const std::wstring& folder, bool includeBaseDirectory,
                                          const System::Text::Encoding& nameEncoding)
{
    std::vector<SourceItem> out;
    Walker walker(nameEncoding, out);
    const std::wstring root = TrimTrailingSeparators(folder);
    if (!includeBaseDirectory) {
        walker.Walk(root, "");
        return out;
    }
    const std::string base = nameEncoding.GetBytes(LastElement(os::FullPath(root)));
    if (!walker.Walk(root, base + "/")) {
        SourceItem s;
        s.path = root;
        s.name = base + "/";
        s.isFolder = true;
        s.modified = ToDos(os::ToLocalCivil(os::LastWriteTime(root)));
        out.push_back(std::move(s));
    }
    return out;
}

} // namespace cvq::zip
