// Views: joining the document, the initial update, self-deletion, and form views from templates.
#include "afxview.h"

#include "afxdata.h"

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CFormView, CView)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

BOOL CView::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                   UINT nID, CCreateContext* pContext)
{
    // Joined before the window exists, so that the view's creation handlers see the document.
    if (pContext != nullptr)
        m_pDocument = pContext->m_pCurrentDoc;
    return CWnd::CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, nullptr);
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::PostNcDestroy()
{
    delete this;
}

namespace {

// The dialog manager asks this procedure only for what the view's message map left over.
INT_PTR CALLBACK FormDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

const DLGTEMPLATE* LoadDialogTemplate(LPCWSTR lpszName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceW(hInst, lpszName, MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    HGLOBAL hData = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    return hData ? static_cast<const DLGTEMPLATE*>(::LockResource(hData)) : nullptr;
}

// The style and window class of a template, classic or extended.
DWORD TemplateStyle(const DLGTEMPLATE* lpTemplate)
{
    const auto* p = reinterpret_cast<const WORD*>(lpTemplate);
    const bool bExtended = p[0] == 1 && p[1] == 0xFFFF;
    return bExtended ? reinterpret_cast<const DWORD*>(p)[3] : lpTemplate->style;
}

LPCWSTR TemplateClass(const DLGTEMPLATE* lpTemplate)
{
    const auto* p = reinterpret_cast<const WORD*>(lpTemplate);
    const bool bExtended = p[0] == 1 && p[1] == 0xFFFF;
    p += bExtended ? 13 : 9;  // past the fixed header (26 or 18 bytes) to the menu
    if (*p == 0xFFFF)
        p += 2;
    else
        while (*p++ != 0) {
        }
    // The dialog manager's class unless the template names one; then the creation hook takes the
    // first window without checking its class.
    return *p == 0 ? L"#32770" : nullptr;
}

}  // namespace

BOOL CFormView::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (m_hWnd != nullptr)
        return FALSE;
    const DLGTEMPLATE* lpTemplate = LoadDialogTemplate(m_lpszTemplateName);
    if (lpTemplate == nullptr || (TemplateStyle(lpTemplate) & WS_CHILD) == 0)
        return FALSE;

    // The derived view may still adjust or refuse the creation.
    CREATESTRUCT cs{};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle | WS_CHILD);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID));
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs))
        return FALSE;

    if (pContext != nullptr)
        m_pDocument = pContext->m_pCurrentDoc;
    HWND hWnd;
    {
        AfxCreateHook hook(this, TemplateClass(lpTemplate));
        hWnd = ::CreateDialogIndirectParamW(AfxGetInstanceHandle(), lpTemplate, cs.hwndParent, FormDlgProc, 0);
    }
    if (hWnd == nullptr || m_hWnd != hWnd)
        return FALSE;

    CRect rcTemplate;
    GetWindowRect(&rcTemplate);
    m_sizeTemplate = CSize(rcTemplate.Width(), rcTemplate.Height());

    const auto dwRequested = static_cast<DWORD>(cs.style);
    ModifyStyle(WS_BORDER | WS_CAPTION, dwRequested & (WS_BORDER | WS_CAPTION));
    ModifyStyleEx(WS_EX_CLIENTEDGE, cs.dwExStyle & WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    ::SetWindowLongPtrW(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    ::SetWindowPos(m_hWnd, nullptr, cs.x, cs.y, cs.cx, cs.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow((dwRequested & WS_VISIBLE) ? SW_SHOWNORMAL : SW_HIDE);
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}
