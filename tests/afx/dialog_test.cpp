// Dialogs from a template on real windows: modal runs answered by another thread (OK, Enter, Esc),
// data exchange at start and on OK, the owner disabled meanwhile, and a modeless dialog whose keys
// reach it through the pre-translate chain.
#include "afxwin.h"

#include "afx_test_util.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr UINT IDD_TEST = 200;
constexpr int IDC_NAME = 201;
constexpr wchar_t kCaption[] = L"Afx Test Dialog";

class CNameDlg : public CDialog {
public:
    explicit CNameDlg(CWnd* pParent = nullptr) : CDialog(IDD_TEST, pParent) {}
    CString m_strName;
    int m_nInits = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CWnd* pEdit = GetDlgItem(IDC_NAME);
        if (pDX->m_bSaveAndValidate)
            pEdit->GetWindowText(m_strName);
        else
            pEdit->SetWindowText(m_strName);
    }
    BOOL OnInitDialog() override
    {
        ++m_nInits;
        return CDialog::OnInitDialog();
    }
};

enum class Answer { OkButton, Enter, Esc, CancelButton };

struct ModalCase {
    Answer answer;
    INT_PTR expected;
    const wchar_t* nameAfter;  // the member after the run: OK saves the typed text, Cancel does not
};

class ModalDialog : public ::testing::TestWithParam<ModalCase> {};

TEST_P(ModalDialog, RunsUntilAnsweredAndExchangesData)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr));
    CNameDlg dlg(&owner);
    dlg.m_strName = L"初期値";

    std::wstring shownName;
    std::atomic<bool> ownerDisabled{false};
    std::atomic<bool> closed{false};
    std::thread person([&] {
        HWND hDlg = afxtest::WaitForDialog(kCaption);
        if (!hDlg)
            return;
        shownName = afxtest::WindowText(GetDlgItem(hDlg, IDC_NAME));
        ownerDisabled = !IsWindowEnabled(owner.GetSafeHwnd());
        SendMessageW(GetDlgItem(hDlg, IDC_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"入力"));
        switch (GetParam().answer) {
        case Answer::OkButton: SendMessageW(GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0); break;
        case Answer::CancelButton: SendMessageW(GetDlgItem(hDlg, IDCANCEL), BM_CLICK, 0, 0); break;
        case Answer::Enter: afxtest::PressKey(hDlg, VK_RETURN); break;
        case Answer::Esc: afxtest::PressKey(hDlg, VK_ESCAPE); break;
        }
        closed = afxtest::WaitUntilGone(hDlg);
    });
    const INT_PTR result = dlg.DoModal();
    person.join();

    EXPECT_TRUE(closed);
    EXPECT_EQ(GetParam().expected, result);
    EXPECT_EQ(1, dlg.m_nInits);
    EXPECT_EQ(L"初期値", shownName);
    EXPECT_EQ(CString(GetParam().nameAfter), dlg.m_strName);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dlg.GetSafeHwnd());
}

INSTANTIATE_TEST_SUITE_P(Answers, ModalDialog,
                         ::testing::Values(ModalCase{Answer::OkButton, IDOK, L"入力"},
                                           ModalCase{Answer::Enter, IDOK, L"入力"},
                                           ModalCase{Answer::Esc, IDCANCEL, L"初期値"},
                                           ModalCase{Answer::CancelButton, IDCANCEL, L"初期値"}));

TEST(ModalDialog, MissingTemplateFailsWithoutAWindow)
{
    CDialog dlg(999u);
    EXPECT_EQ(-1, dlg.DoModal());
}

TEST(ModelessDialog, CreatedVisibleAndItsKeysGoThroughThePreTranslateChain)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr));
    CNameDlg dlg(&owner);
    dlg.m_strName = L"x";
    ASSERT_TRUE(dlg.Create(IDD_TEST, &owner));
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.GetSafeHwnd()));
    EXPECT_EQ(1, dlg.m_nInits);
    EXPECT_FALSE(dlg.IsModal());
    EXPECT_TRUE(owner.IsWindowEnabled()) << "a modeless dialog leaves its owner usable";
    dlg.ShowWindow(SW_SHOW);

    // Esc pressed in the edit control: the application's loop hands the message to the chain, which
    // reaches the dialog through the edit's parent; the dialog keys turn it into IDCANCEL.
    HWND hEdit = ::GetDlgItem(dlg, IDC_NAME);
    PostMessageW(hEdit, WM_KEYDOWN, VK_ESCAPE, 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, hEdit, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(owner, &msg));
    EXPECT_FALSE(dlg.IsWindowVisible()) << "OnCancel of a modeless dialog hides it";
    EXPECT_TRUE(IsWindow(dlg));

    // Other messages pass the chain untouched.
    PostMessageW(hEdit, WM_TIMER, 1, 0);
    ASSERT_TRUE(PeekMessageW(&msg, hEdit, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(owner, &msg));

    HWND hDlg = dlg.GetSafeHwnd();
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ(nullptr, dlg.GetSafeHwnd());
}

// A window that consumes F1 before its child sees it, and counts what reached it.
class CHelpKeyWnd : public CWnd {
public:
    int m_nAsked = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        ++m_nAsked;
        return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1;
    }
};

TEST(PreTranslate, WalkAsksFromTheTargetUpToTheStopWindow)
{
    CHelpKeyWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, L"top", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    CHelpKeyWnd middle;
    ASSERT_TRUE(middle.Create(nullptr, L"middle", WS_VISIBLE, CRect(0, 0, 100, 50), &top, 1));
    CHelpKeyWnd leaf;
    ASSERT_TRUE(leaf.Create(nullptr, L"leaf", WS_VISIBLE, CRect(0, 0, 50, 20), &middle, 2));

    PostMessageW(leaf, WM_KEYDOWN, VK_F2, 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, leaf, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(top, &msg));
    EXPECT_EQ(1, leaf.m_nAsked);
    EXPECT_EQ(1, middle.m_nAsked);
    EXPECT_EQ(1, top.m_nAsked);

    // Stopping at the middle window leaves the top one out; F1 is consumed by the first asked.
    PostMessageW(leaf, WM_KEYDOWN, VK_F1, 1);
    ASSERT_TRUE(PeekMessageW(&msg, leaf, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(middle, &msg));
    EXPECT_EQ(2, leaf.m_nAsked);
    EXPECT_EQ(1, middle.m_nAsked);
    EXPECT_EQ(1, top.m_nAsked);
}

}  // namespace
