// CView and CFormView: the windows that show a document. A view is a child of its frame, joined to
// one document when it is created (through the creation context) and initialised by its creator
// with OnInitialUpdate, either by a direct call or by sending WM_INITIALUPDATE. A view belongs to
// its window: it deletes itself once the window is destroyed, so it must be allocated with new
// (the document template creates it through its run-time class).
//
// A form view is a view made by the dialog manager from a dialog template (which must have the
// WS_CHILD style): the template's font and size decide its dialog units and its first size, then
// the rectangle given to Create is applied.
#pragma once

#include "afxcreatecontext.h"
#include "afxdoc.h"
#include "afxgeom.h"
#include "afxwnd.h"

// Sent by a view's creator to start the view's initial update.
constexpr UINT WM_INITIALUPDATE = 0x0364;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CDocument* GetDocument() const { return m_pDocument; }

    // Creates the view's window and joins the document of pContext (if any).
    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;

    // Called once the view and its document are joined, and again whenever the creator starts
    // the view afresh. The default brings the view up to date (OnUpdate).
    virtual void OnInitialUpdate();

protected:
    CView() = default;

    // The document changed: the default redraws the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    void PostNcDestroy() override;

    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CDocument* m_pDocument = nullptr;
};

class CFormView : public CView {
    DECLARE_DYNAMIC(CFormView)
public:
    // Creates the form from its template as a child of pParentWnd with id nID, then moves it to
    // rect. Of dwStyle, PreCreateWindow may change the style; the template's own style is kept
    // except for WS_BORDER, WS_CAPTION and WS_VISIBLE, which follow the request. FALSE if the
    // template is missing or not a child template, or the dialog manager refused it.
    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;

    // Fills the form's controls from the members (UpdateData(FALSE)), then the view's update.
    void OnInitialUpdate() override;

    // The form's size in pixels as its template gives it, measured when the window was created.
    CSize GetTemplateSize() const { return m_sizeTemplate; }

protected:
    explicit CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)) {}
    explicit CFormView(LPCWSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName) {}

    LPCWSTR m_lpszTemplateName;
    CSize m_sizeTemplate;
};
