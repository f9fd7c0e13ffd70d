// Worker threads: creation through the C runtime, priority, and self-deletion at the end.
#include "afxthread.h"

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr)
        ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread != nullptr || m_pfnThreadProc == nullptr)
        return FALSE;
    unsigned nThreadID = 0;
    // Always created suspended, so that the handle and id are stored before the thread can run
    // (and before it can delete this object).
    const uintptr_t h = ::_beginthreadex(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this,
                                         CREATE_SUSPENDED, &nThreadID);
    if (h == 0)
        return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(h);
    m_nThreadID = nThreadID;
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        ::ResumeThread(m_hThread);
    return TRUE;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

unsigned __stdcall CWinThread::ThreadEntry(void* pThis)
{
    auto* pThread = static_cast<CWinThread*>(pThis);
    const UINT nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    pThread->Delete();  // the object may be gone from here on
    return nResult;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    auto* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    // The priority is set while the thread cannot run yet, so it never runs at another one.
    pThread->SetThreadPriority(nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        pThread->ResumeThread();
    return pThread;
}
