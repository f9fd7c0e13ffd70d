// CWinThread and AfxBeginThread: worker threads started through the C runtime (_beginthreadex), so
// that the runtime's per-thread state is set up for them. A thread object deletes itself when its
// thread function returns, unless m_bAutoDelete was cleared before that.
#pragma once

#include "afxcmdtarget.h"

#include <windows.h>

// The function a worker thread runs; its result becomes the thread's exit code.
using AFX_THREADPROC = UINT (*)(LPVOID pParam);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    // Closes the thread's handle; the thread itself runs on if it has not ended.
    ~CWinThread() override;

    // Starts the thread (dwCreateFlags: 0 or CREATE_SUSPENDED). FALSE if the system refused.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    // The previous suspend count, or (DWORD)-1 on failure, as the system call returns them.
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    int GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    operator HANDLE() const { return m_hThread; }  // NOLINT: used where a handle is expected

    // Called on the thread after its function returned: deletes the object if m_bAutoDelete.
    virtual void Delete();

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;
    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;

private:
    static unsigned __stdcall ThreadEntry(void* pThis);
};

// Starts pfnThreadProc(pParam) on a new thread with the given priority and stack size (0: the
// executable's default). With CREATE_SUSPENDED in dwCreateFlags the thread waits for ResumeThread;
// until then the returned object is safe to use. Without it, the object may already be gone when
// this returns if the thread ended that quickly. Null if the thread could not be created.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
