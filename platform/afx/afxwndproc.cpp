// The one place where a CWnd and its HWND are bound and unbound, the window procedure that runs
// every bound window's messages through its object, and the lookups from handle to object.
#include "afxwnd.h"

#include <memory>
#include <unordered_map>

namespace {

// The object is kept as a window property, readable from any thread.
constexpr wchar_t kObjectProp[] = L"CvqAfxWnd";

// Creation hook state of this thread: the object whose window is being created, and the class that
// window must have. The check keeps the object from being bound to a window the system creates
// first on the same thread (the default IME window appears inside the first CreateWindowEx).
struct PendingCreate {
    CWnd* pWnd = nullptr;
    LPCWSTR lpszClass = nullptr;  // null or an atom: not checked
};
thread_local PendingCreate t_pending;
thread_local HHOOK t_hCbtHook = nullptr;
thread_local int t_hookUsers = 0;

// The message each window procedure call on this thread is handling, for Default().
thread_local MSG t_lastMsg{};

thread_local std::unordered_map<HWND, std::unique_ptr<CWnd>> t_tempWnds;

bool ClassMatches(HWND hWnd, LPCWSTR lpszClass)
{
    if (lpszClass == nullptr || IS_INTRESOURCE(lpszClass))
        return true;
    wchar_t name[256];
    const int len = ::GetClassNameW(hWnd, name, 256);
    return len > 0 && ::CompareStringOrdinal(name, len, lpszClass, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

struct AfxWndBinding {
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CbtHook(int nCode, WPARAM wParam, LPARAM lParam);

    static void Bind(CWnd* pWnd, HWND hWnd, bool bSubclass)
    {
        pWnd->m_hWnd = hWnd;
        ::SetPropW(hWnd, kObjectProp, pWnd);
        if (bSubclass) {
            pWnd->m_pfnSuper = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProc)));
        }
        pWnd->PreSubclassWindow();
    }

    static HWND Unbind(CWnd* pWnd)
    {
        HWND hWnd = pWnd->m_hWnd;
        if (pWnd->m_pfnSuper != nullptr) {
            // Put the original procedure back only if nobody subclassed the window after us.
            if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &WndProc)
                ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
            pWnd->m_pfnSuper = nullptr;
        }
        ::RemovePropW(hWnd, kObjectProp);
        pWnd->m_hWnd = nullptr;
        return hWnd;
    }
};

LRESULT CALLBACK AfxWndBinding::CbtHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && t_pending.pWnd != nullptr) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (ClassMatches(hWnd, t_pending.lpszClass)) {
            CWnd* pWnd = t_pending.pWnd;
            t_pending = {};
            Bind(pWnd, hWnd, true);
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK AfxWndBinding::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)  // unbound while a message was on its way
        return ::DefWindowProcW(hWnd, message, wParam, lParam);

    const MSG saved = t_lastMsg;
    t_lastMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    const LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    t_lastMsg = saved;
    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd) {
        Unbind(pWnd);
        pWnd->PostNcDestroy();  // may delete the object
    }
    return lResult;
}

// --- the creation hook, used by every creation through an object ---

AfxCreateHook::AfxCreateHook(CWnd* pWnd, LPCWSTR lpszClass)
{
    if (t_hookUsers++ == 0)
        t_hCbtHook = ::SetWindowsHookExW(WH_CBT, &AfxWndBinding::CbtHook, nullptr, ::GetCurrentThreadId());
    t_pending = {pWnd, lpszClass};
}

AfxCreateHook::~AfxCreateHook()
{
    t_pending = {};  // creation failed before the window existed, or it was bound already
    if (--t_hookUsers == 0) {
        ::UnhookWindowsHookEx(t_hCbtHook);
        t_hCbtHook = nullptr;
    }
}

// --- lookups ---

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    // Another process's window (a second ConvertVtq, say) carries a pointer that means nothing here.
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    if (processId != ::GetCurrentProcessId())
        return nullptr;
    return static_cast<CWnd*>(::GetPropW(hWnd, kObjectProp));
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    auto& slot = t_tempWnds[hWnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hWnd;
    }
    return slot.get();
}

void CWnd::DeleteTempMap()
{
    for (auto& [hWnd, pWnd] : t_tempWnds)
        pWnd->m_hWnd = nullptr;  // a temporary wrapper never destroys the window it names
    t_tempWnds.clear();
}

// --- binding existing windows ---

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    AfxWndBinding::Bind(this, hWnd, true);
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    return m_hWnd ? AfxWndBinding::Unbind(this) : nullptr;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr)
        return FALSE;
    AfxWndBinding::Bind(this, hWndNew, false);
    return TRUE;
}

HWND CWnd::Detach()
{
    return m_hWnd ? AfxWndBinding::Unbind(this) : nullptr;
}

// --- default processing ---

LRESULT CWnd::Default()
{
    return DefWindowProc(t_lastMsg.message, t_lastMsg.wParam, t_lastMsg.lParam);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild && pChild->OnChildNotify(t_lastMsg.message, t_lastMsg.wParam, t_lastMsg.lParam, pResult);
}
