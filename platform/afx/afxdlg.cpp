// Dialogs from templates: creation through the dialog manager, the modal run, and the default
// OK/Cancel/init handling.
#include "afxdlg.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

// Every message goes through the dialog window's own procedure (the object's map) first; the
// dialog manager asks this procedure only for what the map left over, and gets "not handled".
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

const WORD* SkipSzOrOrd(const WORD* p)
{
    if (*p == 0xFFFF)
        return p + 2;
    while (*p++ != 0) {
    }
    return p;
}

// The window class a template asks for: the dialog manager's own unless the template names one
// (then the creation hook takes the first window without checking its class).
LPCWSTR TemplateClass(const DLGTEMPLATE* lpTemplate)
{
    const auto* p = reinterpret_cast<const WORD*>(lpTemplate);
    const bool bExtended = p[0] == 1 && p[1] == 0xFFFF;
    p += bExtended ? 13 : 9;  // the fixed header of DLGTEMPLATEEX (26 bytes) or DLGTEMPLATE (18 bytes)
    p = SkipSzOrOrd(p);       // menu
    return *p == 0 ? L"#32770" : nullptr;
}

}  // namespace

const DLGTEMPLATE* CDialog::LoadTemplate() const
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceW(hInst, m_lpszTemplateName, MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    HGLOBAL hData = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    return hData ? static_cast<const DLGTEMPLATE*>(::LockResource(hData)) : nullptr;
}

// The parent given, else the window the user works in on this thread.
HWND CDialog::OwnerWindow() const
{
    return m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : ::GetActiveWindow();
}

INT_PTR CDialog::DoModal()
{
    const DLGTEMPLATE* lpTemplate = m_lpszTemplateName ? LoadTemplate() : nullptr;
    if (lpTemplate == nullptr || m_hWnd != nullptr)
        return -1;
    m_bModal = true;
    INT_PTR nResult;
    {
        AfxCreateHook hook(this, TemplateClass(lpTemplate));
        nResult = ::DialogBoxIndirectParamW(AfxGetInstanceHandle(), lpTemplate, OwnerWindow(), AfxDlgProc, 0);
    }
    m_bModal = false;
    return nResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    const DLGTEMPLATE* lpTemplate = LoadTemplate();
    return lpTemplate != nullptr && CreateIndirect(lpTemplate, pParentWnd);
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* lpDialogTemplate, CWnd* pParentWnd)
{
    if (m_hWnd != nullptr)
        return FALSE;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    HWND hWnd;
    {
        AfxCreateHook hook(this, TemplateClass(lpDialogTemplate));
        hWnd = ::CreateDialogIndirectParamW(AfxGetInstanceHandle(), lpDialogTemplate,
                                            m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr, AfxDlgProc, 0);
    }
    return hWnd != nullptr && m_hWnd == hWnd;
}

void CDialog::EndDialog(int nResult)
{
    if (m_bModal)
        ::EndDialog(m_hWnd, nResult);
    else
        ShowWindow(SW_HIDE);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
