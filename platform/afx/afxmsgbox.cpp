// Message boxes of the framework and the application's title.
#include "afxmsgbox.h"

#include "afxmodule.h"
#include "afxwnd.h"

#include <atomic>

namespace {

constexpr UINT kAppTitleId = 57344;  // the framework's string id of the application's title

std::atomic<AFX_MSGBOX_HOOK> g_pfnMsgBoxHook{nullptr};

CString& AppName()
{
    static CString name = [] {
        const wchar_t* p = nullptr;
        const int len = ::LoadStringW(AfxGetResourceHandle(), kAppTitleId, reinterpret_cast<LPWSTR>(&p), 0);
        if (len > 0)
            return CString(p, len);
        CString file = AfxGetModuleFileName(nullptr);
        file = file.Mid(file.ReverseFind(L'\\') + 1);
        const int dot = file.ReverseFind(L'.');
        return dot > 0 ? file.Left(dot) : file;
    }();
    return name;
}

}  // namespace

LPCWSTR AfxGetAppName()
{
    return AppName();
}

void AfxSetAppName(LPCWSTR lpszAppName)
{
    AppName() = lpszAppName;
}

AFX_MSGBOX_HOOK AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook)
{
    return g_pfnMsgBoxHook.exchange(pfnHook);
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT)
{
    if (AFX_MSGBOX_HOOK pfnHook = g_pfnMsgBoxHook.load())
        return pfnHook(lpszText, AfxGetAppName(), nType);
    return ::MessageBoxW(::GetActiveWindow(), lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    const wchar_t* p = nullptr;
    const int len = ::LoadStringW(AfxGetResourceHandle(), nIDPrompt, reinterpret_cast<LPWSTR>(&p), 0);
    return AfxMessageBox(CString(p, len > 0 ? len : 0), nType, nIDHelp);
}
