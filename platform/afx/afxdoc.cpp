// The document's new-document and closing-check behaviour.
#include "afxdoc.h"

#include "afxmsgbox.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString prompt;
    prompt.Format(L"%s への変更を保存しますか?", m_strTitle.IsEmpty() ? L"無題" : m_strTitle.GetString());
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDNO:
        return TRUE;
    case IDYES:
        return DoFileSave();
    default:
        return FALSE;
    }
}
