// CDocument: the data side of the document/view pair. What documents need now: title, modified
// flag, new-document initialisation, the closing check and serialisation. The document template,
// views and file commands attach here when they come.
#pragma once

#include "afxarchive.h"
#include "afxcmdtarget.h"
#include "afxstr.h"

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCWSTR lpszTitle) { m_strTitle = lpszTitle; }
    const CString& GetPathName() const { return m_strPathName; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // File New: empties the document (DeleteContents) and marks it unmodified.
    virtual BOOL OnNewDocument();
    virtual void DeleteContents() {}

    // Asked before the document is closed or replaced; FALSE keeps it. An unmodified document may
    // always go; a modified one asks the user whether to save (Yes saves through DoFileSave).
    virtual BOOL SaveModified();

protected:
    // Saves to the document's file. Documents get files with the document template's open and save
    // commands; until then there is nowhere to save, and the close is refused.
    virtual BOOL DoFileSave() { return FALSE; }

    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
};
