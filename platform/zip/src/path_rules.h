// What counts as a usable path argument, and how an entry name becomes a place below the
// destination folder without ever leaving it.
#pragma once

#include <string>
#include <vector>

namespace cvq::zip {

// Null: ArgumentNullException. Empty or blank, or holding " < > | ? * or a control character:
// ArgumentException. ':' other than after a leading drive letter: NotSupportedException. Too long
// for the system: PathTooLongException. The same rules hold on every platform, since they are
// Windows's and the layer serves a Windows program.
void CheckPathArgument(const wchar_t* path, const char* argumentName);

struct EntryTarget {
    std::vector<std::wstring> parts;  // folders then file, "." and empty parts dropped
    bool isFolder = false;            // the name ends with '/' or '\'
};

// Splits a decoded entry name at both '/' and '\'. An absolute name, a drive name, a ".." part (or
// a part that Windows would trim to one: "..", ". .", "...") or a file name with no part at all is
// an IOException; characters Windows cannot hold in a name are an ArgumentException, ':' and
// reserved device names (CON, NUL, COM1, ...) a NotSupportedException.
EntryTarget ResolveEntryName(const std::wstring& name);

// Joins the folder and the parts with the system's separator; PathTooLongException when too long.
std::wstring JoinPath(const std::wstring& folder, const std::vector<std::wstring>& parts, std::size_t count);

// The path without trailing separators (a bare root stays as it is).
std::wstring TrimTrailingSeparators(const std::wstring& path);

} // namespace cvq::zip
