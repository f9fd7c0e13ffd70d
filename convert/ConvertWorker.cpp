// The conversion worker: converts the job's files one after the other on its own thread, reports
// every step as a log line and the job's end by a second message, both sent to the view.
#include "ConvertVtqView.h"

#include "CancelPoint.h"
#include "WorkerLines.h"
#include "WorkFolderLock.h"

#include <shlwapi.h>

namespace {

using namespace WorkerLine;

constexpr DWORD kSettleMs = 100;  // pause after removing the extraction folder

enum class FileResult { Next, Cancelled };

class CJob {
public:
    explicit CJob(tagCVQ_THREAD_PARAM* pParam) : m_pParam(pParam)
    {
        m_csConvPath.Format(L"%s\\CONV", pParam->csWorkPath.GetString());
    }

    void Log(LPCWSTR lpszMsg) const { CConvertVtqView::SendLogMsg(m_pParam->hWnd, lpszMsg); }
    void Log(LPCWSTR lpszFormat, const CString& csFile) const
    {
        CString csLine;
        csLine.Format(lpszFormat, csFile.GetString());
        Log(csLine);
    }
    bool Cancelled(CancelPoint point) const { return IsCancelRequested(m_pParam, point) != FALSE; }

    bool LockWorkFolder(CWorkFolderLock& lock) const;
    FileResult ConvertFile(const CString& csFile);

private:
    static bool IsFolder(LPCWSTR lpszPath) { return ::PathFileExistsW(lpszPath) && ::PathIsDirectoryW(lpszPath); }

    void MakeConvFolder() const
    {
        if (!::PathFileExistsW(m_csConvPath))
            ::CreateDirectoryW(m_csConvPath, nullptr);
    }
    // Only what exists is removed: removing a missing folder would retry for about 10 seconds.
    void RemoveConvFolder()
    {
        if (::PathFileExistsW(m_csConvPath))
            CConvertVtqView::DeleteFolderAll(m_csConvPath, &m_csErrMsg);
    }
    bool ConvHoldsOnly(const CString& csFolderName) const;

    tagCVQ_THREAD_PARAM* m_pParam;
    CString m_csConvPath;
    CString m_csErrMsg;  // filled by the operations, never logged
};

// Waits while another job (in this process or another) works in the same work folder.
bool CJob::LockWorkFolder(CWorkFolderLock& lock) const
{
    CWorkFolderLock::Result result = lock.TryAcquire();
    if (result == CWorkFolderLock::Result::Busy) {
        Log(kWaitLine);
        while ((result = lock.TryAcquire()) == CWorkFolderLock::Result::Busy) {
            if (Cancelled(CancelPoint::WorkFolderWait)) {
                Log(kCancelLine);
                return false;
            }
            ::Sleep(kSettleMs);
        }
    }
    if (result == CWorkFolderLock::Result::Failed) {
        Log(kNoWorkFolderLine, m_pParam->csWorkPath);
        return false;
    }
    return true;
}

// After the extraction, the folder that will be archived must be all there is: anything beside it
// came from entries outside the project folder, which the new archive would silently lose.
bool CJob::ConvHoldsOnly(const CString& csFolderName) const
{
    CString csPattern;
    csPattern.Format(L"%s\\*.*", m_csConvPath.GetString());
    CFileFind finder;
    BOOL bWorking = finder.FindFile(csPattern);
    while (bWorking) {
        bWorking = finder.FindNextFile();
        if (!finder.IsDots() && finder.GetFileName().CompareNoCase(csFolderName) != 0)
            return false;
    }
    return true;
}

FileResult CJob::ConvertFile(const CString& csFile)
{
    if (Cancelled(CancelPoint::BeforeFile)) {
        Log(kCancelLine);
        return FileResult::Cancelled;
    }
    const int nDot = csFile.ReverseFind(L'.');
    if (nDot <= 0)
        return FileResult::Next;
    const bool bPackage = csFile.Mid(nDot + 1).CompareNoCase(L"vtqp") == 0;

    const CString csProject = CConvertVtqView::GetProjectNameFromFile(csFile);
    const int nSlash = csFile.ReverseFind(L'\\');
    const CString csTitle = csFile.Mid(nSlash + 1, nDot - nSlash - 1);
    CString csFolderName = csProject;
    if (bPackage)
        csFolderName += L"_Package";
    CString csProjectPath;
    csProjectPath.Format(L"%s\\%s", m_csConvPath.GetString(), csFolderName.GetString());
    CString csOutput;
    csOutput.Format(bPackage ? L"%s\\%s.vtqp" : L"%s\\%s.vtq", m_pParam->csOutputPath.GetString(),
                    csTitle.GetString());

    if (::PathFileExistsW(csOutput)) {
        Log(kOutputExistsLine, csFile);
        return FileResult::Next;
    }
    if (Cancelled(CancelPoint::BeforeExtract)) {
        RemoveConvFolder();
        Log(kCancelLine);
        return FileResult::Cancelled;
    }

    // The probe: the project folder reads the same in UTF-8 only if it needs no conversion.
    MakeConvFolder();
    if (!CConvertVtqView::UnZip(csFile, m_csConvPath, L"utf-8", &m_csErrMsg)) {
        Log(kProbeFailedLine, csFile);
        return FileResult::Next;  // the leftovers stay until the next removal
    }
    const bool bDone = IsFolder(csProjectPath);
    if (bDone)
        Log(kNoNeedLine, csFile);
    RemoveConvFolder();
    ::Sleep(kSettleMs);
    if (bDone)
        return FileResult::Next;

    MakeConvFolder();
    if (!CConvertVtqView::UnZip(csFile, m_csConvPath, L"shift_jis", &m_csErrMsg)) {
        Log(kExtractFailedLine, csFile);
        return FileResult::Next;
    }
    if (Cancelled(CancelPoint::BeforeArchive)) {
        RemoveConvFolder();
        Log(kCancelLine);
        return FileResult::Cancelled;
    }
    if (!IsFolder(csProjectPath))
        Log(kRenamedLine, csFile);
    else if (!ConvHoldsOnly(csFolderName))
        Log(kOutsideLine, csFile);
    else if (CConvertVtqView::Zip(csProjectPath, csOutput, &m_csErrMsg))
        Log(kConvertedLine, csFile);
    else
        Log(kArchiveFailedLine, csFile);  // the ZIP layer leaves nothing at csOutput
    RemoveConvFolder();
    ::Sleep(kSettleMs);
    return FileResult::Next;
}

}  // namespace

void CConvertVtqView::SendLogMsg(HWND hWnd, LPCWSTR lpszMsg)
{
    auto* pcsMsg = new CString;
    pcsMsg->Format(L"%s", lpszMsg);
    // The receiver frees the string; with no window to receive it, nobody would.
    if (!::IsWindow(hWnd)) {
        delete pcsMsg;
        return;
    }
    ::SendMessageW(hWnd, WM_RECV_LOG_MSG, 0, reinterpret_cast<LPARAM>(pcsMsg));
}

UINT CConvertVtqView::ConvertVtqThreadProc(LPVOID pParam)
{
    auto* pThreadParam = static_cast<tagCVQ_THREAD_PARAM*>(pParam);
    CWaitCursor waitCursor;
    CJob job(pThreadParam);
    job.Log(kStartLine);
    {
        CWorkFolderLock lock(pThreadParam->csWorkPath);
        if (job.LockWorkFolder(lock)) {
            // The count is read afresh before every pass.
            for (INT_PTR i = 0; i < pThreadParam->csaFileList.GetSize(); ++i) {
                if (job.ConvertFile(pThreadParam->csaFileList[i]) == FileResult::Cancelled)
                    break;
            }
        }
    }  // released before the end is reported, so the next job can start at once
    job.Log(kEndLine);
    ::SendMessageW(pThreadParam->hWnd, WM_RECV_THREAD_END, 0, 0);
    return 0;
}
