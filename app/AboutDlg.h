// CAboutDlg: the modal version dialog, drawn white on dark grey like the rest of the program.
#pragma once

#include "afxdialogex.h"
#include "resource.h"

class CAboutDlg : public CDialogEx {
public:
    CAboutDlg();
    ~CAboutDlg() override;

    enum { IDD = IDD_ABOUT_DLG };

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_brushBkgnd;  // RGB(101, 101, 101): the labels' background
};
