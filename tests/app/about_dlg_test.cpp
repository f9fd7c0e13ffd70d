// The version dialog opened modally on a real window: its colours read back while it is open, and
// each way of closing it, answered from another thread as a person would.
#include "AboutDlg.h"

#include "../afx/afx_test_util.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr COLORREF kGrey = RGB(101, 101, 101);
constexpr wchar_t kCaption[] = L"バージョン情報";

RECT ChildRect(HWND hDlg, HWND hChild)
{
    RECT rc;
    GetWindowRect(hChild, &rc);
    MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool IsLabel(HWND hChild)
{
    wchar_t cls[32];
    GetClassNameW(hChild, cls, 32);
    return lstrcmpiW(cls, L"Static") == 0 && (GetWindowLongPtrW(hChild, GWL_STYLE) & SS_TYPEMASK) != SS_ICON;
}

// What the answering thread saw of the open dialog.
struct Seen {
    bool found = false;
    int labels = 0;
    int labelsWithWhiteText = 0;
    int labelPixelsNotGreyToWhite = 0;
    int backgroundPixelsNotGrey = 0;
    int buttonPixelsNotGrey = 0;
};

Seen Inspect(HWND hDlg)
{
    Seen seen;
    seen.found = true;
    const afxtest::Pixels px = afxtest::CaptureClient(hDlg);
    std::vector<char> covered(px.rgb.size(), 0);
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        const RECT rc = ChildRect(hDlg, hChild);
        const bool label = IsLabel(hChild);
        seen.labels += label;
        bool white = false;
        for (int y = std::max(0L, rc.top); y < std::min<LONG>(px.height, rc.bottom); ++y) {
            for (int x = std::max(0L, rc.left); x < std::min<LONG>(px.width, rc.right); ++x) {
                covered[static_cast<size_t>(y * px.width + x)] = 1;
                const COLORREF c = px.At(x, y);
                if (label) {
                    white |= c == RGB(255, 255, 255);
                    // Text edges blend white into grey; nothing darker than the grey may appear.
                    seen.labelPixelsNotGreyToWhite +=
                        GetRValue(c) < 101 || GetGValue(c) < 101 || GetBValue(c) < 101;
                } else if (GetDlgCtrlID(hChild) == IDOK) {
                    seen.buttonPixelsNotGrey += c != kGrey;
                }
            }
        }
        seen.labelsWithWhiteText += label && white;
    }
    for (size_t i = 0; i < px.rgb.size(); ++i)
        seen.backgroundPixelsNotGrey += !covered[i] && px.rgb[i] != kGrey;
    return seen;
}

enum class Close { OkButton, Enter, Esc };

struct CloseCase {
    Close how;
    INT_PTR expected;
};

class AboutDlgClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(AboutDlgClose, ShowsWhiteOnGreyAndCloses)
{
    // The dialog is owned by the window the user works in.
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"ConvertVtq", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr));
    SetActiveWindow(owner);

    Seen seen;
    std::atomic<bool> ownerDisabled{false};
    std::atomic<bool> closed{false};
    std::thread person([&] {
        HWND hDlg = afxtest::WaitForDialog(kCaption);
        if (!hDlg)
            return;
        seen = Inspect(hDlg);
        ownerDisabled = !IsWindowEnabled(owner.GetSafeHwnd());
        switch (GetParam().how) {
        case Close::OkButton:
            SendMessageW(GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0);
            break;
        case Close::Enter:
            afxtest::PressKey(hDlg, VK_RETURN);
            break;
        case Close::Esc:
            afxtest::PressKey(hDlg, VK_ESCAPE);
            break;
        }
        closed = afxtest::WaitUntilGone(hDlg);
    });
    CAboutDlg dlg;
    const INT_PTR result = dlg.DoModal();
    person.join();

    ASSERT_TRUE(seen.found) << "the dialog did not appear";
    EXPECT_TRUE(closed);
    EXPECT_EQ(GetParam().expected, result);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(2, seen.labels);
    EXPECT_EQ(2, seen.labelsWithWhiteText);
    EXPECT_EQ(0, seen.labelPixelsNotGreyToWhite);
    EXPECT_EQ(0, seen.backgroundPixelsNotGrey);
    EXPECT_GT(seen.buttonPixelsNotGrey, 0) << "the OK button keeps the system's colours";
    EXPECT_EQ(nullptr, dlg.GetSafeHwnd());
}

std::string CloseName(const ::testing::TestParamInfo<CloseCase>& param)
{
    switch (param.param.how) {
    case Close::OkButton: return "OkButton";
    case Close::Enter: return "Enter";
    default: return "Esc";
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutDlgClose,
                         ::testing::Values(CloseCase{Close::OkButton, IDOK}, CloseCase{Close::Enter, IDOK},
                                           CloseCase{Close::Esc, IDCANCEL}),
                         CloseName);

TEST(AboutDlg, ColourAnswersForEachControlKind)
{
    // The handler answers labels with white on grey and the grey brush, and leaves the other kinds
    // to the dialog manager (the button keeps the system's colours).
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    struct Answer {
        HBRUSH hbr;
        COLORREF text;
        COLORREF back;
    };
    Answer staticAnswer{}, buttonAnswer{}, dialogAnswer{};
    std::thread person([&] {
        HWND hDlg = afxtest::WaitForDialog(kCaption);
        if (!hDlg)
            return;
        HDC hdc = CreateCompatibleDC(nullptr);
        auto ask = [&](UINT msg, HWND hCtl) {
            SetTextColor(hdc, RGB(1, 2, 3));
            SetBkColor(hdc, RGB(4, 5, 6));
            auto hbr = reinterpret_cast<HBRUSH>(SendMessageW(hDlg, msg, reinterpret_cast<WPARAM>(hdc),
                                                             reinterpret_cast<LPARAM>(hCtl)));
            return Answer{hbr, GetTextColor(hdc), GetBkColor(hdc)};
        };
        staticAnswer = ask(WM_CTLCOLORSTATIC, GetWindow(hDlg, GW_CHILD));
        buttonAnswer = ask(WM_CTLCOLORBTN, GetDlgItem(hDlg, IDOK));
        dialogAnswer = ask(WM_CTLCOLORDLG, hDlg);
        DeleteDC(hdc);
        SendMessageW(GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0);
        afxtest::WaitUntilGone(hDlg);
    });
    CAboutDlg dlg;
    EXPECT_EQ(IDOK, dlg.DoModal());
    person.join();

    LOGBRUSH lb{};
    ASSERT_NE(nullptr, staticAnswer.hbr);
    ASSERT_NE(0, GetObjectW(staticAnswer.hbr, sizeof(lb), &lb));
    EXPECT_EQ(static_cast<UINT>(BS_SOLID), lb.lbStyle);
    EXPECT_EQ(RGB(101, 101, 101), lb.lbColor);
    EXPECT_EQ(RGB(255, 255, 255), staticAnswer.text);
    EXPECT_EQ(RGB(101, 101, 101), staticAnswer.back);
    // The system's answers: button and dialog colours, not the grey.
    EXPECT_NE(staticAnswer.hbr, buttonAnswer.hbr);
    EXPECT_NE(RGB(255, 255, 255), buttonAnswer.text);
    EXPECT_NE(staticAnswer.hbr, dialogAnswer.hbr);
    EXPECT_NE(nullptr, dialogAnswer.hbr);
}

}  // namespace
