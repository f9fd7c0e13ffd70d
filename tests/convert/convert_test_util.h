// Helpers of the conversion engine's tests: temporary folders, files, Shift_JIS names, a window that
// receives the worker's messages on the test's thread, and archives read back entry by entry.
#pragma once

#include "ConvertVtqView.h"

#include "raw_zip_writer.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace cvqtest {

// Shift_JIS bytes of the names the fixtures use, written out so that no encoder of ours made them,
// and the same names in UTF-16 and UTF-8.
inline const std::string kSjisKoujou = "\x8D\x48\x8F\xEA";  // 工場 (factory)
inline const std::string kSjisZumen = "\x90\x7D\x96\xCA";   // 図面 (drawing)
inline const std::string kSjisSekkei = "\x90\xDD\x8C\x76";  // 設計 (design)
inline const std::string kSjisHyou = "\x95\x5C";            // 表 (table): its second byte is a backslash
inline const std::string kSjisA = "\x82\xA0";               // あ
inline const std::string kSjisI = "\x82\xA2";               // い
inline const std::wstring kKoujou = L"工場";

// A fresh folder under the system's temporary folder, removed with everything in it (read-only
// files included).
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& rel) const { return m_path + L"\\" + rel; }

private:
    std::wstring m_path;
};

void RemoveTree(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);  // folders made as needed
std::string ReadFileBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::wstring> ListFolder(const std::wstring& path);

// One file entry of an archive read back: raw name bytes, flags, content after inflating.
struct ArchivedFile {
    std::string name;
    std::uint16_t flags = 0;
    std::string data;
};
// Every entry of the archive at path, parsed by the test-only reader (not the ZIP layer).
std::vector<ArchivedFile> ReadArchive(const std::wstring& path);

// An archive of entries with the given raw names and contents, all stored unflagged (method Deflate).
testzip::RawArchive Archive(const std::vector<std::pair<std::string, std::string>>& entries,
                            std::uint16_t flags = 0);

// The formatted line of a worker sentence that names a file.
std::wstring Line(const wchar_t* format, const std::wstring& file);

// A top-level window on the test's thread that receives the worker's two messages, as the view
// does: it takes each line (and frees it), notes the thread it ran on and whether the worker was
// still running when the end arrived.
class CLogHost : public CWnd {
public:
    CLogHost();
    ~CLogHost() override;

    std::vector<std::wstring> m_lines;
    bool m_bEnded = false;
    bool m_bAllOnThisThread = true;
    bool m_bWorkerAliveAtEnd = false;
    HANDLE m_hWorker = nullptr;  // set by RunJob while a job runs
    std::function<void(const std::wstring&)> m_onLine;  // called after a line was taken

protected:
    afx_msg LRESULT OnRecvLogMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRecvThreadEnd(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    DWORD m_nThreadId;
};

// A started worker: its own handle (the thread object deletes itself and its handle at the end).
HANDLE StartWorker(tagCVQ_THREAD_PARAM& param, CLogHost& host);
// Runs this thread's messages until the worker ends; returns its exit code (or -1 on a hang of
// several minutes, which only a broken worker causes).
DWORD PumpUntilEnded(HANDLE hWorker);
// Starts the worker as the view will (AfxBeginThread, highest priority, suspended, then resumed)
// and pumps this thread's messages until it ends. Returns the lines received.
std::vector<std::wstring> RunJob(tagCVQ_THREAD_PARAM& param, CLogHost& host);

}  // namespace cvqtest
