// CFileFind: the items of a folder that match a pattern, one after the other. FindFile starts the
// search; each FindNextFile makes the next item current and returns FALSE when that item is the
// last one, so the loop reads:
//     BOOL bWorking = finder.FindFile(pattern);
//     while (bWorking) { bWorking = finder.FindNextFile(); ... use finder ... }
#pragma once

#include "afxobject.h"
#include "afxstr.h"

#include <windows.h>

class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind() = default;
    ~CFileFind() override { Close(); }

    // Starts a search for pstrName (null: "*.*" in the current folder). FALSE if nothing matches
    // or the folder cannot be read. A search already running is closed first.
    virtual BOOL FindFile(LPCWSTR pstrName = nullptr, DWORD dwUnused = 0);
    // Makes the next item current; FALSE when it is the last (it is still current then).
    virtual BOOL FindNextFile();
    void Close();

    // Of the current item (empty or FALSE before the first FindNextFile).
    CString GetFileName() const;
    CString GetFilePath() const;  // the searched folder joined with the item's name
    CString GetRoot() const { return m_strRoot; }
    BOOL IsDots() const;
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL MatchesMask(DWORD dwMask) const;

private:
    HANDLE m_hContext = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW m_found{};
    WIN32_FIND_DATAW m_next{};
    bool m_bHaveFound = false;  // m_found holds an item
    bool m_bHaveNext = false;   // m_next holds an item not yet handed out
    CString m_strRoot;          // the searched folder, as a full path
};
