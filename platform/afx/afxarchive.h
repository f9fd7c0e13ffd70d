// CArchive: the direction of a document's Serialize. Only what documents ask of it so far; the file
// it reads or writes comes with the document template's open and save commands.
#pragma once

#include "afxtypes.h"

class CFile;

class CArchive {
public:
    enum Mode : UINT { store = 0, load = 1 };

    CArchive(CFile* pFile, UINT nMode) : m_pFile(pFile), m_nMode(nMode) {}
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }

private:
    CFile* m_pFile;
    UINT m_nMode;
};
