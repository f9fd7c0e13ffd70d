// Guards for paths given by the caller and names found in archives. The entry-name guard is what
// keeps a hostile archive from writing outside the destination ("zip slip").
#include "path_rules.h"

#include <System/Exception.h>

#include "os_file.h"
#include "unicode.h"

#include <algorithm>
#include <cwchar>

namespace cvq::zip {
namespace {

bool IsSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }
bool IsSystemSeparator(wchar_t c) { return std::wcschr(os::PathSeparators(), c) != nullptr && c != 0; }
bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }
bool IsInvalidNameChar(wchar_t c)
{
    return c < 0x20 || c == L'"' || c == L'<' || c == L'>' || c == L'|' || c == L'?' || c == L'*';
}

std::string Utf8(const std::wstring& s) { return EncodeUtf8(s); }

// Windows opens the device, not a file, for these names whatever their extension.
bool IsReservedDeviceName(const std::wstring& part)
{
    std::wstring base = part.substr(0, part.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    for (auto& c : base) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    }
    static const wchar_t* const kNames[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* n : kNames) {
        if (base == n) return true;
    }
    return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) && base[3] >= L'0' &&
           base[3] <= L'9';
}

// True for parts that Windows trims (trailing dots and spaces) down to "", "." or "..".
bool IsDotsAndSpaces(const std::wstring& part)
{
    return std::all_of(part.begin(), part.end(), [](wchar_t c) { return c == L'.' || c == L' '; });
}

} // namespace

void CheckPathArgument(const wchar_t* path, const char* argumentName)
{
    using namespace System;
    if (path == nullptr) throw ArgumentNullException(std::string(argumentName) + " is null");
    const std::wstring p(path);
    if (std::all_of(p.begin(), p.end(), [](wchar_t c) { return c == L' ' || c == L'\t'; })) {
        throw ArgumentException(std::string(argumentName) + " is empty");
    }
    if (std::any_of(p.begin(), p.end(), IsInvalidNameChar)) {
        throw ArgumentException(std::string(argumentName) + " holds invalid characters: " + Utf8(p));
    }
    const std::size_t colon = p.find(L':');
    if (colon != std::wstring::npos && !(colon == 1 && IsDriveLetter(p[0]) && p.find(L':', 2) == std::wstring::npos)) {
        throw NotSupportedException(std::string(argumentName) + " has an unsupported form: " + Utf8(p));
    }
    if (os::MaxPathLength() != 0 && p.size() >= os::MaxPathLength()) {
        throw IO::PathTooLongException(std::string(argumentName) + " is too long");
    }
}

EntryTarget ResolveEntryName(const std::wstring& name)
{
    using namespace System;
    EntryTarget target;
    target.isFolder = !name.empty() && IsSeparator(name.back());
    if (!name.empty() && IsSeparator(name.front())) {
        throw IO::IOException("entry name is absolute: " + Utf8(name));
    }
    if (name.size() >= 2 && name[1] == L':' && IsDriveLetter(name[0])) {
        throw IO::IOException("entry name holds a drive: " + Utf8(name));
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = start;
        while (end < name.size() && !IsSeparator(name[end])) ++end;
        std::wstring part = name.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == L".") continue;
        if (IsDotsAndSpaces(part)) throw IO::IOException("entry name leaves the destination: " + Utf8(name));
        target.parts.push_back(std::move(part));
    }
    for (const std::wstring& part : target.parts) {
        if (std::any_of(part.begin(), part.end(), IsInvalidNameChar)) {
            throw ArgumentException("entry name holds invalid characters: " + Utf8(name));
        }
        if (part.find(L':') != std::wstring::npos) {
            throw NotSupportedException("entry name holds ':': " + Utf8(name));
        }
        if (IsReservedDeviceName(part)) throw NotSupportedException("entry name is a device: " + Utf8(name));
    }
    if (!target.isFolder && target.parts.empty()) throw IO::IOException("entry has no file name: " + Utf8(name));
    return target;
}

std::wstring JoinPath(const std::wstring& folder, const std::vector<std::wstring>& parts, std::size_t count)
{
    std::wstring path = folder;
    for (std::size_t i = 0; i < count; ++i) {
        if (!path.empty() && !IsSystemSeparator(path.back())) path.push_back(os::PathSeparators()[0]);
        path += parts[i];
    }
    if (os::MaxPathLength() != 0 && path.size() >= os::MaxPathLength()) {
        throw System::IO::PathTooLongException("path is too long: " + Utf8(path));
    }
    return path;
}

std::wstring TrimTrailingSeparators(const std::wstring& path)
{
    std::wstring p = path;
    while (p.size() > 1 && IsSystemSeparator(p.back()) && !(p.size() == 3 && p[1] == L':')) p.pop_back();
    return p;
}

} // namespace cvq::zip
