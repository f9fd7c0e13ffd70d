// The version dialog's colours: grey background, white label texts; OK, Enter and Esc close it
// through the framework's defaults.
#include "AboutDlg.h"

namespace {
constexpr COLORREF kBackground = RGB(101, 101, 101);  // 0x656565
constexpr COLORREF kText = RGB(255, 255, 255);
}  // namespace

BEGIN_MESSAGE_MAP(CAboutDlg, CDialogEx)
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialogEx(IDD_ABOUT_DLG, nullptr)
{
    m_brushBkgnd.Attach(::CreateSolidBrush(kBackground));
}

CAboutDlg::~CAboutDlg()
{
    m_brushBkgnd.DeleteObject();
}

// The dialog has no data to exchange; not even the base's exchange runs.
void CAboutDlg::DoDataExchange(CDataExchange*)
{
}

HBRUSH CAboutDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hbr = CDialogEx::OnCtlColor(pDC, pWnd, nCtlColor);
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetTextColor(kText);
        pDC->SetBkColor(kBackground);
        return static_cast<HBRUSH>(m_brushBkgnd.GetSafeHandle());
    }
    return hbr;
}

BOOL CAboutDlg::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(0, 0, rect.Width(), rect.Height(), kBackground);
    return TRUE;
}
