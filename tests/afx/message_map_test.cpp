// Message maps on real windows: typed handlers, a derived map chained to its base map, commands
// by id and code, and default processing for what no entry takes.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT WM_APP_PING = WM_APP + 1;
constexpr UINT ID_CMD_FIRST = 300;
constexpr UINT ID_CMD_LAST = 305;
constexpr UINT ID_CMD_BASE = 310;

class CBaseWnd : public CWnd {
public:
    std::vector<std::wstring> m_log;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_log.push_back(L"create:" + std::wstring(lpCreateStruct->lpszName));
        return CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_log.push_back(L"base-size:" + std::to_wstring(nType) + L"," + std::to_wstring(cx) + L"," +
                        std::to_wstring(cy));
    }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam)
    {
        m_log.push_back(L"base-ping");
        return static_cast<LRESULT>(wParam + static_cast<WPARAM>(lParam));
    }
    afx_msg void OnBaseCommand() { m_log.push_back(L"base-command"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_APP_PING, OnPing)
    ON_COMMAND(ID_CMD_BASE, OnBaseCommand)
END_MESSAGE_MAP()

// Overrides one of the base's messages, adds its own, and leaves the rest to the base map.
class CDerivedWnd : public CBaseWnd {
protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_log.push_back(L"derived-size:" + std::to_wstring(cx));
        CBaseWnd::OnSize(nType, cx, cy);
    }
    afx_msg void OnRange(UINT nID) { m_log.push_back(L"range:" + std::to_wstring(nID)); }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        m_log.push_back(L"erase");
        CRect rc;
        GetClientRect(rc);
        pDC->FillSolidRect(rc, RGB(10, 20, 30));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_WM_SIZE()
    ON_COMMAND_RANGE(ID_CMD_FIRST, ID_CMD_LAST, OnRange)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(MessageMap, HandlersReceiveTheirTypedParametersAndTheDerivedMapComesFirst)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"地図", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    ASSERT_FALSE(wnd.m_log.empty());
    EXPECT_EQ(L"create:地図", wnd.m_log.front());

    wnd.m_log.clear();
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80));
    EXPECT_EQ((std::vector<std::wstring>{L"derived-size:120", L"base-size:0,120,80"}), wnd.m_log);

    wnd.m_log.clear();
    EXPECT_EQ(7, wnd.SendMessage(WM_APP_PING, 3, 4));  // only in the base map
    EXPECT_EQ(std::vector<std::wstring>{L"base-ping"}, wnd.m_log);
}

struct CommandCase {
    WPARAM wParam;
    const wchar_t* expected;  // null: no handler runs
};

TEST(MessageMap, CommandsMatchIdAndCodeThroughTheChain)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"cmd", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    const CommandCase cases[] = {
        {MAKEWPARAM(ID_CMD_FIRST, 0), L"range:300"},       // menu
        {MAKEWPARAM(ID_CMD_LAST, 1), L"range:305"},        // accelerator
        {MAKEWPARAM(ID_CMD_LAST + 1, 0), nullptr},         // outside the range
        {MAKEWPARAM(ID_CMD_BASE, 0), L"base-command"},     // in the base map
    };
    for (const auto& c : cases) {
        wnd.m_log.clear();
        wnd.SendMessage(WM_COMMAND, c.wParam, 0);
        if (c.expected)
            EXPECT_EQ(std::vector<std::wstring>{c.expected}, wnd.m_log) << LOWORD(c.wParam);
        else
            EXPECT_TRUE(wnd.m_log.empty()) << LOWORD(c.wParam);
    }
}

TEST(MessageMap, UnmappedMessagesGetTheWindowsDefaultProcessing)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"old", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    wnd.SetWindowText(L"新しい題");  // WM_SETTEXT has no entry: DefWindowProc stores it
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(CString(L"新しい題"), text);
    EXPECT_EQ(4, wnd.SendMessage(WM_GETTEXTLENGTH));
}

TEST(MessageMap, EraseHandlerPaintsThroughTheBorrowedDeviceContext)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"erase", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr));
    HDC hdc = CreateCompatibleDC(nullptr);
    HBITMAP hbm = CreateBitmap(40, 30, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(hdc, hbm);
    EXPECT_EQ(TRUE, wnd.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc)));
    EXPECT_EQ(RGB(10, 20, 30), GetPixel(hdc, 0, 0));
    EXPECT_EQ(RGB(10, 20, 30), GetPixel(hdc, 39, 29));
    EXPECT_NE(0, GetObjectType(hdc)) << "the borrowed DC must still be alive";
    SelectObject(hdc, old);
    DeleteObject(hbm);
    DeleteDC(hdc);
}

}  // namespace
