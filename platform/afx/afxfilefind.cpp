// The file finder over FindFirstFileW / FindNextFileW, one item ahead of the caller.
#include "afxfilefind.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

BOOL CFileFind::FindFile(LPCWSTR pstrName, DWORD)
{
    Close();
    if (pstrName == nullptr)
        pstrName = L"*.*";

    m_hContext = ::FindFirstFileW(pstrName, &m_next);
    if (m_hContext == INVALID_HANDLE_VALUE)
        return FALSE;
    m_bHaveNext = true;

    // The folder part of the full pattern: item paths are built from it.
    CString strFull;
    const DWORD nLen = ::GetFullPathNameW(pstrName, 0, nullptr, nullptr);
    if (nLen != 0) {
        ::GetFullPathNameW(pstrName, nLen, strFull.GetBuffer(static_cast<int>(nLen)), nullptr);
        strFull.ReleaseBuffer();
    } else {
        strFull = pstrName;
    }
    const int nCut = strFull.ReverseFind(L'\\');
    m_strRoot = nCut < 0 ? CString() : strFull.Left(nCut);
    if (m_strRoot.GetLength() == 2 && m_strRoot[1] == L':')
        m_strRoot += L'\\';  // "C:" alone would mean the drive's current folder
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHaveNext)
        return FALSE;
    m_found = m_next;
    m_bHaveFound = true;
    m_bHaveNext = ::FindNextFileW(m_hContext, &m_next) != FALSE;
    return m_bHaveNext ? TRUE : FALSE;
}

void CFileFind::Close()
{
    if (m_hContext != INVALID_HANDLE_VALUE) {
        ::FindClose(m_hContext);
        m_hContext = INVALID_HANDLE_VALUE;
    }
    m_bHaveFound = false;
    m_bHaveNext = false;
    m_strRoot.Empty();
}

CString CFileFind::GetFileName() const
{
    return m_bHaveFound ? CString(m_found.cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    if (!m_bHaveFound)
        return CString();
    CString strPath = m_strRoot;
    if (!strPath.IsEmpty() && strPath[strPath.GetLength() - 1] != L'\\')
        strPath += L'\\';
    return strPath + m_found.cFileName;
}

BOOL CFileFind::IsDots() const
{
    return m_bHaveFound && (std::wcscmp(m_found.cFileName, L".") == 0 || std::wcscmp(m_found.cFileName, L"..") == 0);
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_bHaveFound && (m_found.dwFileAttributes & dwMask) != 0;
}
