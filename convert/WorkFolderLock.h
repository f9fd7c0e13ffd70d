// CWorkFolderLock: one conversion job at a time per work folder, across processes. The lock is a
// file in the work folder opened without sharing; the system closes it when the job (or its
// process) ends, and the file goes with it.
#pragma once

#include "afxwin.h"

class CWorkFolderLock {
public:
    enum class Result { Acquired, Busy, Failed };

    static constexpr LPCWSTR kFileName = L"ConvertVtq.lock";

    explicit CWorkFolderLock(LPCWSTR lpszWorkPath);
    ~CWorkFolderLock() { Release(); }
    CWorkFolderLock(const CWorkFolderLock&) = delete;
    CWorkFolderLock& operator=(const CWorkFolderLock&) = delete;

    // Busy: another job holds the folder. Failed: the lock file cannot be made at all (no work
    // folder, no path).
    Result TryAcquire();
    void Release();
    bool IsHeld() const { return m_hFile != INVALID_HANDLE_VALUE; }

private:
    CString m_csLockPath;
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};
