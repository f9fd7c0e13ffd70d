// POSIX file system for the native build (tests, fuzzing, benchmarks): wide paths become UTF-8.
#include "os_file.h"

#include <System/Exception.h>

#include "unicode.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cvq::zip::os {
namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kEpochDelta = 11'644'473'600;  // seconds from 1601 to 1970

std::string Narrow(const std::wstring& path) { return EncodeUtf8(path); }

bool ParentExists(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return true;
    struct stat st{};
    return stat(slash == 0 ? "/" : path.substr(0, slash).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

enum class Op { OpenExisting, Create };

[[noreturn]] void Throw(int err, const char* what, const std::wstring& path, Op op = Op::Create)
{
    const std::string message = std::string(what) + ": " + Narrow(path) + ": " + std::strerror(err);
    switch (err) {
    case ENOENT:
        if (op == Op::OpenExisting && ParentExists(Narrow(path))) throw System::IO::FileNotFoundException(message);
        throw System::IO::DirectoryNotFoundException(message);
    case ENOTDIR: throw System::IO::DirectoryNotFoundException(message);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: throw System::UnauthorizedAccessException(message);
    case ENAMETOOLONG: throw System::IO::PathTooLongException(message);
    default: throw System::IO::IOException(message);
    }
}

FileTime FromTimespec(const timespec& ts)
{
    return {(static_cast<std::int64_t>(ts.tv_sec) + kEpochDelta) * kTicksPerSecond + ts.tv_nsec / 100};
}

int Fd(std::intptr_t handle) { return static_cast<int>(handle); }

} // namespace

File::File(const std::wstring& path, Mode mode) : m_handle(-1), m_path(path)
{
    const std::string narrow = Narrow(path);
    const int flags = mode == Mode::Read ? O_RDONLY : (O_WRONLY | O_CREAT | O_EXCL);
    const int fd = open(narrow.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) Throw(errno, "cannot open", path, mode == Mode::Read ? Op::OpenExisting : Op::Create);
    m_handle = fd;
    if (mode == Mode::Read) {
        struct stat st{};
        if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            Release();
            Throw(EISDIR, "cannot open", path);
        }
    }
}

File::~File() { Release(); }

File::File(File&& other) noexcept : m_handle(other.m_handle), m_path(std::move(other.m_path)) { other.m_handle = -1; }

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        Release();
        m_handle = other.m_handle;
        m_path = std::move(other.m_path);
        other.m_handle = -1;
    }
    return *this;
}

void File::Release() noexcept
{
    if (m_handle >= 0) close(Fd(m_handle));
    m_handle = -1;
}

std::uint64_t File::Size() const
{
    struct stat st{};
    if (fstat(Fd(m_handle), &st) != 0) Throw(errno, "cannot query size", m_path);
    return static_cast<std::uint64_t>(st.st_size);
}

std::size_t File::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = pread(Fd(m_handle), static_cast<char*>(buffer) + done, count - done,
                                static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Throw(errno, "cannot read", m_path);
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void File::WriteAt(std::uint64_t offset, const void* buffer, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = pwrite(Fd(m_handle), static_cast<const char*>(buffer) + done, count - done,
                                 static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Throw(n < 0 ? errno : EIO, "cannot write", m_path);
        done += static_cast<std::size_t>(n);
    }
}

void File::SetLastWriteTime(FileTime time)
{
    std::int64_t seconds = time.ticks / kTicksPerSecond;
    std::int64_t rest = time.ticks % kTicksPerSecond;
    if (rest < 0) { rest += kTicksPerSecond; --seconds; }
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(seconds - kEpochDelta);
    times[1].tv_nsec = static_cast<long>(rest * 100);
    if (futimens(Fd(m_handle), times) != 0) Throw(errno, "cannot set time", m_path);
}

void File::Close()
{
    if (m_handle < 0) return;
    const int fd = Fd(m_handle);
    m_handle = -1;
    if (close(fd) != 0) Throw(errno, "cannot close", m_path);
}

Kind Probe(const std::wstring& path)
{
    struct stat st{};
    if (stat(Narrow(path).c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return Kind::Missing;
        Throw(errno, "cannot query", path);
    }
    return S_ISDIR(st.st_mode) ? Kind::Directory : Kind::File;
}

void MakeDirectory(const std::wstring& path)
{
    if (mkdir(Narrow(path).c_str(), 0755) == 0) return;
    const int err = errno;
    if (err == EEXIST && Probe(path) == Kind::Directory) return;
    Throw(err, "cannot create folder", path);
}

void RemoveFile(const std::wstring& path) noexcept { unlink(Narrow(path).c_str()); }

void RenameNoReplace(const std::wstring& from, const std::wstring& to)
{
    const std::string src = Narrow(from);
    const std::string dst = Narrow(to);
    if (renameat2(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE) == 0) return;
    if (errno != EINVAL && errno != ENOSYS) Throw(errno, "cannot rename", to);
    // File systems without RENAME_NOREPLACE: a hard link fails on an existing target just the same.
    if (link(src.c_str(), dst.c_str()) != 0) Throw(errno, "cannot rename", to);
    unlink(src.c_str());
}

std::vector<DirItem> ListDirectory(const std::wstring& path)
{
    const std::string narrow = Narrow(path);
    DIR* dir = opendir(narrow.c_str());
    if (dir == nullptr) Throw(errno, "cannot list folder", path);
    std::vector<DirItem> items;
    while (const dirent* e = readdir(dir)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        const std::string child = narrow + "/" + e->d_name;
        struct stat lst{};
        struct stat st{};
        if (lstat(child.c_str(), &lst) != 0) continue;  // vanished meanwhile
        DirItem item;
        item.name = DecodeUtf8(e->d_name);
        item.isLink = S_ISLNK(lst.st_mode);
        if (stat(child.c_str(), &st) != 0) st = lst;  // dangling link: archived as what it is
        item.kind = S_ISDIR(st.st_mode) ? Kind::Directory : Kind::File;
        item.size = static_cast<std::uint64_t>(st.st_size);
        item.lastWrite = FromTimespec(st.st_mtim);
        items.push_back(std::move(item));
    }
    closedir(dir);
    return items;
}

std::wstring FullPath(const std::wstring& path)
{
    char* full = realpath(Narrow(path).c_str(), nullptr);
    if (full == nullptr) Throw(errno, "cannot resolve", path);
    std::wstring result = DecodeUtf8(full);
    std::free(full);
    return result;
}

FileTime LastWriteTime(const std::wstring& path)
{
    struct stat st{};
    if (stat(Narrow(path).c_str(), &st) != 0) Throw(errno, "cannot query", path, Op::OpenExisting);
    return FromTimespec(st.st_mtim);
}

CivilTime ToLocalCivil(FileTime time)
{
    std::int64_t seconds = time.ticks / kTicksPerSecond;
    if (time.ticks % kTicksPerSecond < 0) --seconds;
    const time_t t = static_cast<time_t>(seconds - kEpochDelta);
    tm local{};
    if (localtime_r(&t, &local) == nullptr) return {};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

FileTime FromLocalCivil(const CivilTime& c)
{
    tm local{};
    local.tm_year = c.year - 1900;
    local.tm_mon = c.month - 1;
    local.tm_mday = c.day;
    local.tm_hour = c.hour;
    local.tm_min = c.minute;
    local.tm_sec = c.second;
    local.tm_isdst = -1;
    const time_t t = mktime(&local);
    return {(static_cast<std::int64_t>(t) + kEpochDelta) * kTicksPerSecond};
}

const wchar_t* PathSeparators() { return L"/"; }
std::size_t MaxPathLength() { return 0; }

} // namespace cvq::zip::os
