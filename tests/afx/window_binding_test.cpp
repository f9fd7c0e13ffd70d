// Binding objects to windows: creation through the object, subclassing a system control, unbinding
// at WM_NCDESTROY, temporary wrappers for foreign windows, and run-time class information.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Records which messages reached the object, from the very first.
class CRecordingWnd : public CWnd {
    DECLARE_DYNCREATE(CRecordingWnd)
public:
    std::vector<UINT> m_messages;
    bool* m_pPostNcDestroyed = nullptr;
    bool m_bDeleteInPostNcDestroy = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override
    {
        if (m_pPostNcDestroyed)
            *m_pPostNcDestroyed = true;
        if (m_bDeleteInPostNcDestroy)
            delete this;  // how views and frames end
    }
};

IMPLEMENT_DYNCREATE(CRecordingWnd, CWnd)

// Turns every typed character into upper case before the edit control sees it.
class CUpperEdit : public CWnd {
protected:
    afx_msg LRESULT OnChar(WPARAM wParam, LPARAM lParam)
    {
        return DefWindowProc(WM_CHAR, static_cast<WPARAM>(towupper(static_cast<wint_t>(wParam))), lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpperEdit, CWnd)
    ON_MESSAGE(WM_CHAR, OnChar)
END_MESSAGE_MAP()

TEST(WindowBinding, CreatedWindowIsBoundBeforeItsFirstMessageAndUnboundAfterTheLast)
{
    bool postNcDestroyed = false;
    CRecordingWnd wnd;
    wnd.m_pPostNcDestroyed = &postNcDestroyed;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"bound", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    HWND hWnd = wnd.GetSafeHwnd();
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(hWnd));
    ASSERT_FALSE(wnd.m_messages.empty());
    // WM_GETMINMAXINFO precedes WM_NCCREATE for overlapped windows; both reach the object.
    EXPECT_NE(wnd.m_messages.end(), std::find(wnd.m_messages.begin(), wnd.m_messages.end(), WM_NCCREATE));
    EXPECT_EQ(WM_NCCREATE, wnd.m_messages.front() == WM_GETMINMAXINFO ? wnd.m_messages[1] : wnd.m_messages[0]);

    ASSERT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), wnd.m_messages.back());
    EXPECT_TRUE(postNcDestroyed);
    EXPECT_EQ(nullptr, wnd.GetSafeHwnd());
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WindowBinding, ObjectMayDeleteItselfInPostNcDestroy)
{
    auto* pWnd = static_cast<CRecordingWnd*>(RUNTIME_CLASS(CRecordingWnd)->CreateObject());
    ASSERT_NE(nullptr, pWnd);
    bool postNcDestroyed = false;
    pWnd->m_pPostNcDestroyed = &postNcDestroyed;
    pWnd->m_bDeleteInPostNcDestroy = true;
    ASSERT_TRUE(pWnd->CreateEx(0, nullptr, L"self", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hWnd = pWnd->GetSafeHwnd();
    DestroyWindow(hWnd);
    EXPECT_TRUE(postNcDestroyed);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WindowBinding, DestroyingTheObjectDestroysItsWindow)
{
    HWND hWnd;
    {
        CRecordingWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"scoped", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        hWnd = wnd.GetSafeHwnd();
    }
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST(WindowBinding, SubclassedSystemControlRunsThroughTheObjectAndKeepsItsOwnBehaviour)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    HWND hEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 150, 24, parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hEdit);
    const auto originalProc = GetWindowLongPtrW(hEdit, GWLP_WNDPROC);

    CUpperEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    EXPECT_FALSE(CUpperEdit().SubclassWindow(hEdit)) << "a window has one object";
    EXPECT_EQ(&edit, CWnd::FromHandlePermanent(hEdit));
    for (wchar_t ch : std::wstring(L"ab1"))
        SendMessageW(hEdit, WM_CHAR, ch, 1);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(CString(L"AB1"), text);  // our handler, then the edit control's own typing

    EXPECT_EQ(hEdit, edit.UnsubclassWindow());
    EXPECT_EQ(originalProc, GetWindowLongPtrW(hEdit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
    SendMessageW(hEdit, WM_CHAR, L'c', 1);
    edit.Attach(hEdit);  // findable again, but not subclassed
    edit.GetWindowText(text);
    EXPECT_EQ(CString(L"AB1c"), text);
    EXPECT_EQ(hEdit, edit.Detach());
}

TEST(WindowBinding, ForeignWindowsGetOneTemporaryWrapperUntilTheTempMapIsCleared)
{
    HWND hStatic = CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hStatic);
    CWnd* pTemp = CWnd::FromHandle(hStatic);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hStatic, pTemp->GetSafeHwnd());
    EXPECT_EQ(pTemp, CWnd::FromHandle(hStatic));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hStatic));
    CString text;
    pTemp->GetWindowText(text);
    EXPECT_EQ(CString(L"foreign"), text);

    CWnd::DeleteTempMap();
    EXPECT_TRUE(IsWindow(hStatic)) << "a temporary wrapper never destroys its window";
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    DestroyWindow(hStatic);
}

TEST(RuntimeClass, KindsAndDynamicCreation)
{
    std::unique_ptr<CObject> pObject(RUNTIME_CLASS(CRecordingWnd)->CreateObject());
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(pObject->IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_STREQ("CRecordingWnd", pObject->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CDialog)->CreateObject()) << "no dynamic creation declared";
    EXPECT_TRUE(RUNTIME_CLASS(CDialogEx)->IsDerivedFrom(RUNTIME_CLASS(CDialog)));
}

}  // namespace
