// The work folder's lock file.
#include "WorkFolderLock.h"

CWorkFolderLock::CWorkFolderLock(LPCWSTR lpszWorkPath)
{
    if (lpszWorkPath != nullptr && *lpszWorkPath != L'\0')
        m_csLockPath.Format(L"%s\\%s", lpszWorkPath, kFileName);
}

CWorkFolderLock::Result CWorkFolderLock::TryAcquire()
{
    if (IsHeld())
        return Result::Acquired;
    if (m_csLockPath.IsEmpty())
        return Result::Failed;
    // No sharing at all: a second open, from this process or another, fails with a sharing
    // violation while the lock is held. A file left behind by a crash opens again normally.
    m_hFile = ::CreateFileW(m_csLockPath, GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (m_hFile != INVALID_HANDLE_VALUE)
        return Result::Acquired;
    return ::GetLastError() == ERROR_SHARING_VIOLATION ? Result::Busy : Result::Failed;
}

void CWorkFolderLock::Release()
{
    if (IsHeld()) {
        ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
}
