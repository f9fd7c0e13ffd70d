// CConvertVtqDoc: the document of the single-document template. It stores nothing in files; it holds
// the job fields the converter view and the worker share, and supplies the executable's folder.
#pragma once

#include "afxwin.h"

#include <atomic>

class CConvertVtqDoc : public CDocument {
protected:  // created by the document template through dynamic creation
    CConvertVtqDoc();
    DECLARE_DYNCREATE(CConvertVtqDoc)

public:
    ~CConvertVtqDoc() override;

    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    // The closing check that guards a running conversion comes with the job control; until then
    // the framework's check (an unmodified document may always close).
    BOOL SaveModified() override;

    // The executable's folder, without a trailing backslash.
    CString GetExeFolder();
    // The folder part of a module path: the text before its last backslash when that backslash is
    // not the first character, else the whole text.
    static CString FolderOfModulePath(const CString& csModulePath);

    CString m_csWorkPath;  // work folder root of a conversion job
    // The cancel request: written by the user-interface thread while the worker reads it at its
    // cancel points, so every read must see the latest write (atomic, not a plain BOOL).
    std::atomic<BOOL> m_bCancel;

protected:
    DECLARE_MESSAGE_MAP()
};
