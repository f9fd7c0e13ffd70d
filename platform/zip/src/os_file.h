// The little the ZIP layer needs from the file system, one implementation per system
// (os_file_win32.cpp with the wide Win32 API, os_file_posix.cpp with POSIX calls on UTF-8 paths).
// Every failure is thrown as the kind of <System/Exception.h> that the system error stands for.
#pragma once

#include "dos_time.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cvq::zip::os {

// Time stamps as Windows keeps them: 100 ns units since 1601-01-01 UTC.
struct FileTime {
    std::int64_t ticks = 0;
};

class File {
public:
    enum class Mode { Read, CreateNew };

    // CreateNew never opens an existing file: that is an IOException.
    File(const std::wstring& path, Mode mode);
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    std::uint64_t Size() const;
    // Reads up to count bytes at offset; fewer only at the end of the file.
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const;
    void WriteAt(std::uint64_t offset, const void* buffer, std::size_t count);
    void SetLastWriteTime(FileTime time);
    // Closes and reports a failed close (lost data); the destructor closes silently.
    void Close();
    // Closes without reporting anything: for a file about to be removed.
    void Discard() noexcept { Release(); }

private:
    void Release() noexcept;

    std::intptr_t m_handle;
    std::wstring m_path;
};

enum class Kind { Missing, File, Directory };

// Missing when the path or a folder on it does not exist; other failures are thrown.
Kind Probe(const std::wstring& path);
// Creates one folder; an existing folder is fine, an existing file is an IOException.
void MakeDirectory(const std::wstring& path);
void RemoveFile(const std::wstring& path) noexcept;
// Renames without ever replacing: an existing target is an IOException.
void RenameNoReplace(const std::wstring& from, const std::wstring& to);

struct DirItem {
    std::wstring name;
    Kind kind = Kind::Missing;
    bool isLink = false;  // symbolic link or other reparse point: not descended into
    std::uint64_t size = 0;
    FileTime lastWrite;
};
// The folder's items without "." and "..", in no particular order.
std::vector<DirItem> ListDirectory(const std::wstring& path);

// The absolute form of an existing path (for the name of the folder "." stands for, say).
std::wstring FullPath(const std::wstring& path);
FileTime LastWriteTime(const std::wstring& path);

CivilTime ToLocalCivil(FileTime time);
FileTime FromLocalCivil(const CivilTime& local);

// Separators that the system accepts in paths, the first one being the preferred one.
const wchar_t* PathSeparators();
// A path of this many characters or more is too long (0: the system decides).
std::size_t MaxPathLength();

} // namespace cvq::zip::os
