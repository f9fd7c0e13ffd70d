// Reflection on real child controls: colour, draw-item and command notifications go first to the
// control's object; what it does not take, the parent handles.
#include "afxwin.h"

#include "afx_test_util.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT IDC_OWN = 101;    // a button whose object handles its own notifications
constexpr UINT IDC_PLAIN = 102;  // a button whose object handles none
constexpr COLORREF kChildBack = RGB(51, 51, 51);
constexpr COLORREF kParentBack = RGB(70, 70, 70);

std::vector<std::wstring> g_log;

// The log's click entries (clicking also repaints the buttons, which asks for colours).
std::vector<std::wstring> Clicks()
{
    std::vector<std::wstring> clicks;
    for (const auto& entry : g_log) {
        if (entry.find(L"clicked") != std::wstring::npos)
            clicks.push_back(entry);
    }
    return clicks;
}

class CSelfButton : public CWnd {
public:
    CBrush m_brush{kChildBack};

protected:
    afx_msg void OnClicked() { g_log.push_back(L"child-clicked"); }
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        g_log.push_back(L"child-ctlcolor:" + std::to_wstring(nCtlColor));
        pDC->SetBkColor(kChildBack);
        return m_brush;
    }
    afx_msg void DrawItem(LPDRAWITEMSTRUCT lpDis)
    {
        g_log.push_back(L"child-drawitem");
        CDC::Borrowed dc(lpDis->hDC);
        dc.FillSolidRect(&lpDis->rcItem, RGB(200, 0, 0));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfButton, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

class CParentWnd : public CWnd {
public:
    CBrush m_brush{kParentBack};

protected:
    afx_msg void OnOwnClicked() { g_log.push_back(L"parent-own-clicked"); }
    afx_msg void OnPlainClicked() { g_log.push_back(L"parent-plain-clicked"); }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        // The base gives the control its say first.
        HBRUSH hbr = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
        g_log.push_back(L"parent-ctlcolor:" + std::to_wstring(pWnd->GetDlgCtrlID()));
        if (pWnd->GetDlgCtrlID() == static_cast<int>(IDC_PLAIN))
            return m_brush;
        return hbr;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_BN_CLICKED(IDC_OWN, OnOwnClicked)
    ON_BN_CLICKED(IDC_PLAIN, OnPlainClicked)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

struct Family {
    CParentWnd parent;
    CSelfButton own;
    CWnd plain;
    Family(DWORD ownStyle)
    {
        parent.CreateEx(0, nullptr, L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr);
        own.Create(L"BUTTON", L"own", WS_VISIBLE | ownStyle, CRect(10, 10, 110, 40), &parent, IDC_OWN);
        plain.Create(L"BUTTON", L"plain", WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 50, 110, 80), &parent, IDC_PLAIN);
        g_log.clear();
    }
};

TEST(Reflection, CommandNotificationGoesToTheControlThatHandlesIt)
{
    Family f(BS_PUSHBUTTON);
    ASSERT_NE(nullptr, f.own.GetSafeHwnd());
    ASSERT_NE(nullptr, f.plain.GetSafeHwnd());
    SendMessageW(f.own, BM_CLICK, 0, 0);
    EXPECT_EQ(std::vector<std::wstring>{L"child-clicked"}, Clicks());
    g_log.clear();
    SendMessageW(f.plain, BM_CLICK, 0, 0);
    EXPECT_EQ(std::vector<std::wstring>{L"parent-plain-clicked"}, Clicks());
}

TEST(Reflection, ColourQuestionIsAnsweredByTheControlFirst)
{
    Family f(BS_PUSHBUTTON);
    // A static-kind colour question for each child, as a control asks its parent.
    HDC hdc = CreateCompatibleDC(nullptr);
    const auto own = reinterpret_cast<HBRUSH>(
        SendMessageW(f.parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(f.own.m_hWnd)));
    EXPECT_EQ(static_cast<HBRUSH>(f.own.m_brush), own);
    EXPECT_EQ(kChildBack, GetBkColor(hdc));
    const auto plain = reinterpret_cast<HBRUSH>(SendMessageW(
        f.parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(f.plain.m_hWnd)));
    EXPECT_EQ(static_cast<HBRUSH>(f.parent.m_brush), plain);
    DeleteDC(hdc);
    EXPECT_EQ((std::vector<std::wstring>{L"child-ctlcolor:6", L"parent-ctlcolor:101", L"parent-ctlcolor:102"}),
              g_log);
}

TEST(Reflection, ControlPaintedByTheButtonsOwnColourQuestion)
{
    // The push button asks its parent with WM_CTLCOLORBTN when it paints; its own object answers.
    Family f(BS_PUSHBUTTON);
    (void)afxtest::PrintClient(f.own, PRF_CLIENT | PRF_ERASEBKGND);
    ASSERT_FALSE(g_log.empty());
    EXPECT_EQ(L"child-ctlcolor:3", g_log.front());
}

TEST(Reflection, OwnerDrawnButtonDrawsItself)
{
    Family f(BS_OWNERDRAW);
    const afxtest::Pixels px = afxtest::PrintClient(f.own, PRF_CLIENT);
    EXPECT_NE(g_log.end(), std::find(g_log.begin(), g_log.end(), L"child-drawitem"));
    ASSERT_GT(px.width, 0);
    EXPECT_EQ(RGB(200, 0, 0), px.At(0, 0));
    EXPECT_EQ(RGB(200, 0, 0), px.At(px.width - 1, px.height - 1));
}

}  // namespace
