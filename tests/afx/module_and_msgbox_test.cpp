// Module paths of any length, the application's title, AfxMessageBox on a real message box, and the
// document's closing check.
#include "afxwin.h"

#include "afx_test_util.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

std::wstring FullModulePath()
{
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

TEST(ModuleFileName, GrowsItsBufferUntilThePathFits)
{
    const std::wstring full = FullModulePath();
    ASSERT_GT(full.size(), 8u);
    const auto n = static_cast<DWORD>(full.size());
    for (DWORD first : {DWORD{1}, DWORD{8}, n, n + 1, DWORD{260}})
        EXPECT_EQ(full, std::wstring(AfxGetModuleFileName(nullptr, first).GetString())) << first;
}

TEST(AppName, DefaultsToTheExecutablesBaseName)
{
    // No application object and no title string in this executable.
    EXPECT_STREQ(L"afx_module_and_msgbox_test", AfxGetAppName());
}

struct Asked {
    std::wstring text;
    std::wstring caption;
    UINT type = 0;
    int count = 0;
};
Asked g_asked;
int g_answer = IDCANCEL;

int AnswerHook(LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType)
{
    g_asked = {lpszText, lpszCaption, nType, g_asked.count + 1};
    return g_answer;
}

// A document whose save succeeds, to see which answers save.
class CSavingDoc : public CDocument {
public:
    int m_nSaves = 0;

protected:
    BOOL DoFileSave() override
    {
        ++m_nSaves;
        return TRUE;
    }
};

struct CloseCase {
    BOOL modified;
    int answer;
    BOOL mayClose;
    int asks;
    int saves;
};

class ClosingCheck : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ClosingCheck, AsksOnlyForAModifiedDocument)
{
    const CloseCase& c = GetParam();
    g_asked = {};
    g_answer = c.answer;
    AfxSetMessageBoxHook(&AnswerHook);
    CSavingDoc doc;
    doc.SetTitle(L"図面");
    doc.SetModifiedFlag(c.modified);
    EXPECT_EQ(c.mayClose, doc.SaveModified());
    AfxSetMessageBoxHook(nullptr);
    EXPECT_EQ(c.asks, g_asked.count);
    EXPECT_EQ(c.saves, doc.m_nSaves);
    if (c.asks) {
        EXPECT_EQ(L"図面 への変更を保存しますか?", g_asked.text);
        EXPECT_EQ(std::wstring(AfxGetAppName()), g_asked.caption);
        EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL | MB_ICONEXCLAMATION), g_asked.type);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, ClosingCheck,
                         ::testing::Values(CloseCase{FALSE, IDCANCEL, TRUE, 0, 0},
                                           CloseCase{TRUE, IDNO, TRUE, 1, 0},
                                           CloseCase{TRUE, IDYES, TRUE, 1, 1},
                                           CloseCase{TRUE, IDCANCEL, FALSE, 1, 0}));

TEST(ClosingCheck, NewDocumentClearsTheModifiedFlag)
{
    CDocument doc;
    doc.SetModifiedFlag(TRUE);
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.IsModified());
}

TEST(AfxMessageBox, ShowsTheTextUnderTheApplicationsTitleAndReturnsTheButton)
{
    AfxSetAppName(L"変換ツール");
    std::wstring shownText;
    std::atomic<bool> closed{false};
    std::thread person([&] {
        HWND hBox = afxtest::WaitForDialog(L"変換ツール");
        if (!hBox)
            return;
        for (HWND h = GetWindow(hBox, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            wchar_t cls[32];
            GetClassNameW(h, cls, 32);
            if (lstrcmpiW(cls, L"Static") == 0 && GetWindowTextLengthW(h) > 0)
                shownText = afxtest::WindowText(h);
        }
        SendMessageW(GetDlgItem(hBox, IDNO), BM_CLICK, 0, 0);
        closed = afxtest::WaitUntilGone(hBox);
    });
    const int result = AfxMessageBox(L"出力先フォルダがありません。", MB_YESNO);
    person.join();
    EXPECT_TRUE(closed);
    EXPECT_EQ(IDNO, result);
    EXPECT_EQ(L"出力先フォルダがありません。", shownText);
}

}  // namespace
