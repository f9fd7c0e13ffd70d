// CDialog: a window made by the dialog manager from a dialog template, modal (DoModal) or modeless
// (Create). The dialog window is bound to the object like any other window, so its messages run
// through the object's map and only what no entry takes reaches the dialog manager.
#pragma once

#include "afxwnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_pParentWnd(pParentWnd) {}
    explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr)
        : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

    // Runs the dialog until EndDialog and returns its result (-1 when it could not be shown). The
    // owner window is disabled meanwhile.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; its window lives until DestroyWindow.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(const DLGTEMPLATE* lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Modal: ends the dialog with nResult. Modeless: hides it, as the dialog manager's EndDialog
    // does; its owner destroys it.
    void EndDialog(int nResult);
    BOOL IsModal() const { return m_bModal; }

    // Dialog keys (Tab, Enter, Esc, mnemonics) of a modeless dialog in the application's message loop.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // WM_INITDIALOG: fills the controls from the members; TRUE lets the dialog manager set the focus.
    virtual BOOL OnInitDialog();
    // IDOK and IDCANCEL (the OK button, Enter, Esc, the close box).
    virtual void OnOK();
    virtual void OnCancel();

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    LPCWSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

private:
    using CWnd::Create;  // a dialog is created from its template, not as a plain child window
    const DLGTEMPLATE* LoadTemplate() const;
    HWND OwnerWindow() const;

    bool m_bModal = false;
};

class CDialogEx : public CDialog {
    DECLARE_DYNAMIC(CDialogEx)
public:
    CDialogEx() = default;
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}
    explicit CDialogEx(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr)
        : CDialog(lpszTemplateName, pParentWnd) {}
};
