// The conversion tests' helpers.
#include "convert_test_util.h"

#include "raw_zip_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

namespace cvqtest {

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    wchar_t tmp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, tmp);
    m_path = std::wstring(tmp) + L"cvqconv-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
             std::to_wstring(::GetTickCount64()) + L"-" + std::to_wstring(counter++);
    ::CreateDirectoryW(m_path.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    RemoveTree(m_path);
}

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring item = path + L"\\" + name;
            ::SetFileAttributesW(item.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(item);
            else
                ::DeleteFileW(item.c_str());
        } while (::FindNextFileW(h, &fd));
        ::FindClose(h);
    }
    ::RemoveDirectoryW(path.c_str());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        ::CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << "cannot write a fixture";
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(h);
    ASSERT_EQ(bytes.size(), written);
}

std::string ReadFileBytes(const std::wstring& path)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char buf[65536];
    DWORD got = 0;
    while (::ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0)
        bytes.append(buf, got);
    ::CloseHandle(h);
    return bytes;
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> ListFolder(const std::wstring& path)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (std::wstring(fd.cFileName) != L"." && std::wstring(fd.cFileName) != L"..")
                names.emplace_back(fd.cFileName);
        } while (::FindNextFileW(h, &fd));
        ::FindClose(h);
    }
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

std::string Inflate(const std::string& compressed, std::uint64_t size)
{
    std::string out(static_cast<size_t>(size), '\0');
    z_stream z{};
    inflateInit2(&z, -15);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    return rc == Z_STREAM_END ? out : std::string("<bad deflate stream>");
}

}  // namespace

std::vector<ArchivedFile> ReadArchive(const std::wstring& path)
{
    std::vector<ArchivedFile> files;
    const testzip::RawListing listing = testzip::Parse(ReadFileBytes(path));
    for (const testzip::RawRecord& r : listing.records) {
        ArchivedFile f;
        f.name = r.name;
        f.flags = r.centralFlags;
        f.data = r.method == 8 ? Inflate(r.compressed, r.size) : r.compressed;
        files.push_back(std::move(f));
    }
    return files;
}

testzip::RawArchive Archive(const std::vector<std::pair<std::string, std::string>>& entries, std::uint16_t flags)
{
    testzip::RawArchive archive;
    for (const auto& [name, data] : entries)
        archive.entries.push_back(testzip::Entry(name, data, 8, flags));
    return archive;
}

std::wstring Line(const wchar_t* format, const std::wstring& file)
{
    CString line;
    line.Format(format, file.c_str());
    return line.Str();
}

// --- the window that stands in for the view ---

BEGIN_MESSAGE_MAP(CLogHost, CWnd)
    ON_MESSAGE(WM_RECV_LOG_MSG, OnRecvLogMsg)
    ON_MESSAGE(WM_RECV_THREAD_END, OnRecvThreadEnd)
END_MESSAGE_MAP()

CLogHost::CLogHost() : m_nThreadId(::GetCurrentThreadId())
{
    CreateEx(0, nullptr, L"cvq-log-host", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr);
}

CLogHost::~CLogHost()
{
    DestroyWindow();
}

LRESULT CLogHost::OnRecvLogMsg(WPARAM, LPARAM lParam)
{
    m_bAllOnThisThread &= ::GetCurrentThreadId() == m_nThreadId;
    std::unique_ptr<CString> line(reinterpret_cast<CString*>(lParam));
    if (!line)
        return -1;
    m_lines.push_back(line->Str());
    if (m_onLine)
        m_onLine(m_lines.back());
    return 0;
}

LRESULT CLogHost::OnRecvThreadEnd(WPARAM, LPARAM)
{
    m_bAllOnThisThread &= ::GetCurrentThreadId() == m_nThreadId;
    DWORD code = 0;
    m_bWorkerAliveAtEnd = m_hWorker != nullptr && ::GetExitCodeThread(m_hWorker, &code) && code == STILL_ACTIVE;
    m_bEnded = true;
    return 0;
}

HANDLE StartWorker(tagCVQ_THREAD_PARAM& param, CLogHost& host)
{
    param.hWnd = host.GetSafeHwnd();
    CWinThread* pThread = AfxBeginThread(&CConvertVtqView::ConvertVtqThreadProc, &param, THREAD_PRIORITY_HIGHEST, 0,
                                         CREATE_SUSPENDED);
    if (pThread == nullptr)
        return nullptr;
    HANDLE hWorker = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), pThread->m_hThread, ::GetCurrentProcess(), &hWorker, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    host.m_hWorker = hWorker;
    pThread->ResumeThread();
    return hWorker;
}

DWORD PumpUntilEnded(HANDLE hWorker)
{
    const ULONGLONG deadline = ::GetTickCount64() + 5 * 60 * 1000;
    for (;;) {
        const DWORD r = ::MsgWaitForMultipleObjects(1, &hWorker, FALSE, 1000, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            break;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (::GetTickCount64() > deadline)
            return static_cast<DWORD>(-1);
    }
    DWORD code = 0;
    ::GetExitCodeThread(hWorker, &code);
    return code;
}

std::vector<std::wstring> RunJob(tagCVQ_THREAD_PARAM& param, CLogHost& host)
{
    host.m_lines.clear();
    host.m_bEnded = false;
    HANDLE hWorker = StartWorker(param, host);
    EXPECT_NE(nullptr, hWorker);
    if (hWorker == nullptr)
        return {};
    EXPECT_EQ(0u, PumpUntilEnded(hWorker));
    host.m_hWorker = nullptr;
    ::CloseHandle(hWorker);
    EXPECT_TRUE(host.m_bEnded);
    EXPECT_TRUE(host.m_bAllOnThisThread);
    EXPECT_TRUE(host.m_bWorkerAliveAtEnd) << "the end message must be handled before the worker returns";
    return host.m_lines;
}

}  // namespace cvqtest
