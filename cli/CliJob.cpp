// Runs the conversion worker for the command-line converter and prints what it reports.
#include "CliJob.h"

#include "ConvertVtqDoc.h"
#include "ConvertVtqView.h"
#include "WorkerLines.h"

namespace {

constexpr wchar_t kWindowClass[] = L"ConvertVtqCliJob";

// A per-file line of the given format ("...%s"), whatever path fills it.
bool IsFileLine(const CString& csText, LPCWSTR lpszFormat)
{
    const CString csFormat(lpszFormat);
    return csText.Find(csFormat.Left(csFormat.GetLength() - 2)) == 0;
}

// The worker's lines that end a file well. Every line that is neither one of these, nor neutral,
// nor the cancel line names a file that was not converted.
bool IsSuccessLine(const CString& csText)
{
    return IsFileLine(csText, WorkerLine::kConvertedLine) || IsFileLine(csText, WorkerLine::kNoNeedLine);
}

// The start and end lines, and the note that the job waits for another job's work folder.
bool IsNeutralLine(const CString& csText)
{
    return csText == WorkerLine::kStartLine || csText == WorkerLine::kEndLine || csText == WorkerLine::kWaitLine;
}

}  // namespace

CCliJob::CCliJob(CConvertVtqDoc* pDoc, const CConsoleWriter& out)
    : m_pDoc(pDoc), m_out(out)
{
}

void CCliJob::RequestCancel()
{
    m_pDoc->m_bCancel = TRUE;
}

void CCliJob::OnLogLine(const CString& csText)
{
    if (csText == WorkerLine::kCancelLine)
        m_bCancelled = true;
    else if (!IsSuccessLine(csText) && !IsNeutralLine(csText))
        m_bAnyFailed = true;

    SYSTEMTIME st;
    GetLocalTime(&st);
    CString csLine;
    csLine.Format(L"%04d/%02d/%02d %02d:%02d:%02d %s", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                  st.wSecond, csText.GetString());
    m_out.WriteLine(csLine);
}

LRESULT CALLBACK CCliJob::WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    auto* pJob = reinterpret_cast<CCliJob*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (uMsg) {
    case WM_RECV_LOG_MSG: {
        // The worker hands over a heap string; this side frees it.
        CString* pcsText = reinterpret_cast<CString*>(lParam);
        if (pcsText == nullptr)
            return -1;
        if (pJob)
            pJob->OnLogLine(*pcsText);
        delete pcsText;
        return 0;
    }
    case WM_RECV_THREAD_END:
        if (pJob)
            pJob->m_bEnded = true;
        return 0;
    default:
        return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }
}

int CCliJob::Run(const CString& csOutputPath, const CStringArray& csaFiles)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
    HWND hWnd = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (hWnd == nullptr)
        return 1;
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    tagCVQ_THREAD_PARAM param;
    param.hWnd = hWnd;
    param.pDoc = m_pDoc;
    param.csOutputPath = csOutputPath;
    param.csWorkPath = m_pDoc->m_csWorkPath;
    for (INT_PTR i = 0; i < csaFiles.GetCount(); ++i)
        param.csaFileList.Add(csaFiles[i]);

    m_pDoc->m_bCancel = FALSE;
    CWinThread* pThread = AfxBeginThread(CConvertVtqView::ConvertVtqThreadProc, &param, THREAD_PRIORITY_NORMAL, 0,
                                         CREATE_SUSPENDED);
    if (pThread == nullptr) {
        DestroyWindow(hWnd);
        return 1;
    }
    // The thread object deletes itself when the worker returns: keep a handle of our own to wait on.
    HANDLE hThread = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), pThread->m_hThread, GetCurrentProcess(), &hThread, SYNCHRONIZE,
                         FALSE, 0))
        hThread = nullptr;
    pThread->ResumeThread();

    // The worker sends its messages synchronously and returns only after its end message was
    // handled here: pump until the thread is gone, so the job record outlives every use of it.
    // Without a handle of our own, the end message is the last sign of the worker.
    for (bool bDone = false; !bDone;) {
        const DWORD dwWait = MsgWaitForMultipleObjects(hThread ? 1 : 0, &hThread, FALSE, INFINITE, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        bDone = hThread ? dwWait == WAIT_OBJECT_0 : m_bEnded;
    }
    if (hThread)
        CloseHandle(hThread);
    DestroyWindow(hWnd);

    if (m_bCancelled)
        return 130;
    return m_bAnyFailed ? 1 : 0;
}
