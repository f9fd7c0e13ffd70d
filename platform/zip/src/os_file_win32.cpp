// Win32 file system with the wide API, so that Japanese names need no code page on the way.
#include "os_file.h"

#include <System/Exception.h>

#include "unicode.h"

#include <windows.h>

namespace cvq::zip::os {
namespace {

enum class Op { OpenExisting, Create };

[[noreturn]] void Throw(DWORD err, const char* what, const std::wstring& path, Op op = Op::Create)
{
    const std::string message = std::string(what) + ": " + EncodeUtf8(path) + ": Win32 error " + std::to_string(err);
    switch (err) {
    case ERROR_FILE_NOT_FOUND:
        if (op == Op::OpenExisting) throw System::IO::FileNotFoundException(message);
        throw System::IO::DirectoryNotFoundException(message);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_DIRECTORY: throw System::IO::DirectoryNotFoundException(message);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: throw System::UnauthorizedAccessException(message);
    case ERROR_FILENAME_EXCED_RANGE: throw System::IO::PathTooLongException(message);
    default: throw System::IO::IOException(message);
    }
}

HANDLE H(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

FileTime FromFiletime(const FILETIME& ft)
{
    return {static_cast<std::int64_t>((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime)};
}

FILETIME ToFiletime(FileTime t)
{
    const auto v = static_cast<std::uint64_t>(t.ticks);
    return {static_cast<DWORD>(v & 0xFFFFFFFF), static_cast<DWORD>(v >> 32)};
}

constexpr std::intptr_t kInvalid = -1;

} // namespace

File::File(const std::wstring& path, Mode mode) : m_handle(kInvalid), m_path(path)
{
    const bool read = mode == Mode::Read;
    HANDLE h = CreateFileW(path.c_str(), read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE,
                           read ? FILE_SHARE_READ : 0, nullptr, read ? OPEN_EXISTING : CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | (read ? FILE_FLAG_SEQUENTIAL_SCAN : 0), nullptr);
    if (h == INVALID_HANDLE_VALUE) Throw(GetLastError(), "cannot open", path, read ? Op::OpenExisting : Op::Create);
    m_handle = reinterpret_cast<std::intptr_t>(h);
}

File::~File() { Release(); }

File::File(File&& other) noexcept : m_handle(other.m_handle), m_path(std::move(other.m_path)) { other.m_handle = kInvalid; }

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        Release();
        m_handle = other.m_handle;
        m_path = std::move(other.m_path);
        other.m_handle = kInvalid;
    }
    return *this;
}

void File::Release() noexcept
{
    if (m_handle != kInvalid) CloseHandle(H(m_handle));
    m_handle = kInvalid;
}

std::uint64_t File::Size() const
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(H(m_handle), &size)) Throw(GetLastError(), "cannot query size", m_path);
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t File::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const
{
    std::size_t done = 0;
    while (done < count) {
        OVERLAPPED at{};
        const std::uint64_t pos = offset + done;
        at.Offset = static_cast<DWORD>(pos & 0xFFFFFFFF);
        at.OffsetHigh = static_cast<DWORD>(pos >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(H(m_handle), static_cast<char*>(buffer) + done, chunk, &got, &at)) {
            const DWORD err = GetLastError();
            if (err == ERROR_HANDLE_EOF) break;
            Throw(err, "cannot read", m_path);
        }
        if (got == 0) break;
        done += got;
    }
    return done;
}

void File::WriteAt(std::uint64_t offset, const void* buffer, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        OVERLAPPED at{};
        const std::uint64_t pos = offset + done;
        at.Offset = static_cast<DWORD>(pos & 0xFFFFFFFF);
        at.OffsetHigh = static_cast<DWORD>(pos >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
        DWORD put = 0;
        if (!WriteFile(H(m_handle), static_cast<const char*>(buffer) + done, chunk, &put, &at) || put == 0) {
            Throw(GetLastError(), "cannot write", m_path);
        }
        done += put;
    }
}

void File::SetLastWriteTime(FileTime time)
{
    const FILETIME ft = ToFiletime(time);
    if (!SetFileTime(H(m_handle), nullptr, nullptr, &ft)) Throw(GetLastError(), "cannot set time", m_path);
}

void File::Close()
{
    if (m_handle == kInvalid) return;
    HANDLE h = H(m_handle);
    m_handle = kInvalid;
    if (!CloseHandle(h)) Throw(GetLastError(), "cannot close", m_path);
}

Kind Probe(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD err = GetLastError();
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND || err == ERROR_INVALID_NAME) return Kind::Missing;
        Throw(err, "cannot query", path);
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Kind::Directory : Kind::File;
}

void MakeDirectory(const std::wstring& path)
{
    if (CreateDirectoryW(path.c_str(), nullptr)) return;
    const DWORD err = GetLastError();
    if (err == ERROR_ALREADY_EXISTS && Probe(path) == Kind::Directory) return;
    Throw(err, "cannot create folder", path);
}

void RemoveFile(const std::wstring& path) noexcept { DeleteFileW(path.c_str()); }

void RenameNoReplace(const std::wstring& from, const std::wstring& to)
{
    // Without MOVEFILE_REPLACE_EXISTING an existing target makes the call fail.
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) Throw(GetLastError(), "cannot rename", to);
}

std::vector<DirItem> ListDirectory(const std::wstring& path)
{
    const std::wstring pattern = path + L"\\*";
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        if (err == ERROR_FILE_NOT_FOUND) return {};  // no items at all
        Throw(err == ERROR_DIRECTORY ? ERROR_PATH_NOT_FOUND : err, "cannot list folder", path);
    }
    std::vector<DirItem> items;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        DirItem item;
        item.name = name;
        item.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? Kind::Directory : Kind::File;
        item.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        item.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        item.lastWrite = FromFiletime(data.ftLastWriteTime);
        items.push_back(std::move(item));
    } while (FindNextFileW(find, &data));
    const DWORD err = GetLastError();
    FindClose(find);
    if (err != ERROR_NO_MORE_FILES) Throw(err, "cannot list folder", path);
    return items;
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD need = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (need == 0) Throw(GetLastError(), "cannot resolve", path);
    std::wstring full(need, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), need, full.data(), nullptr);
    if (got == 0 || got >= need) Throw(GetLastError(), "cannot resolve", path);
    full.resize(got);
    return full;
}

FileTime LastWriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        Throw(GetLastError(), "cannot query", path, Op::OpenExisting);
    }
    return FromFiletime(data.ftLastWriteTime);
}

CivilTime ToLocalCivil(FileTime time)
{
    const FILETIME ft = ToFiletime(time);
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    // The zone's rule for that date (summer time included), as .NET's local time conversion does.
    if (!FileTimeToSystemTime(&ft, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return {};
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

FileTime FromLocalCivil(const CivilTime& c)
{
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(c.year);
    local.wMonth = static_cast<WORD>(c.month);
    local.wDay = static_cast<WORD>(c.day);
    local.wHour = static_cast<WORD>(c.hour);
    local.wMinute = static_cast<WORD>(c.minute);
    local.wSecond = static_cast<WORD>(c.second);
    SYSTEMTIME utc{};
    FILETIME ft{};
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &ft)) return {};
    return FromFiletime(ft);
}

const wchar_t* PathSeparators() { return L"\\/"; }
std::size_t MaxPathLength() { return MAX_PATH; }

} // namespace cvq::zip::os
