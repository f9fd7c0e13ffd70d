// Helpers of the framework's window tests: pumping this thread's messages and answering dialogs
// from another thread as a person would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace afxtest {

// Runs this thread's messages until done() or about ten seconds have passed.
inline bool PumpUntil(const std::function<bool()>& done)
{
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!done()) {
        if (GetTickCount64() > deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

// Waits (up to ten seconds) for a visible dialog with this caption, on any thread.
inline HWND WaitForDialog(const wchar_t* caption)
{
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (GetTickCount64() < deadline) {
        HWND hDlg = FindWindowW(L"#32770", caption);
        if (hDlg != nullptr && IsWindowVisible(hDlg))
            return hDlg;
        Sleep(20);
    }
    return nullptr;
}

// A key pressed and released on the dialog's focused control, as the keyboard would deliver it.
inline void PressKey(HWND hDlg, UINT vk)
{
    HWND hFocus = hDlg;
    GUITHREADINFO gti{};
    gti.cbSize = sizeof(gti);
    if (GetGUIThreadInfo(GetWindowThreadProcessId(hDlg, nullptr), &gti) && gti.hwndFocus)
        hFocus = gti.hwndFocus;
    PostMessageW(hFocus, WM_KEYDOWN, vk, 1);
    PostMessageW(hFocus, WM_KEYUP, vk, 0xC0000001);
}

// Waits (up to ten seconds) for the window to be destroyed. If it is still there, closes it with
// IDCANCEL so that a failing test ends, and returns false.
inline bool WaitUntilGone(HWND hDlg)
{
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (IsWindow(hDlg) && IsWindowVisible(hDlg)) {
        if (GetTickCount64() > deadline) {
            PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
            return false;
        }
        Sleep(20);
    }
    return true;
}

inline std::wstring WindowText(HWND hWnd)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hWnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A window's client area drawn into a 32-bit bitmap, as RGB values, row by row.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> rgb;
    COLORREF At(int x, int y) const { return rgb[static_cast<size_t>(y * width + x)]; }
};

// hWnd's client area as the window draws it for printing (WM_ERASEBKGND with PRF_ERASEBKGND, then
// WM_PRINTCLIENT).
inline Pixels PrintClient(HWND hWnd, UINT flags)
{
    Pixels px;
    RECT rc;
    GetClientRect(hWnd, &rc);
    px.width = rc.right;
    px.height = rc.bottom;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = px.width;
    bi.bmiHeader.biHeight = -px.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC hdcMem = CreateCompatibleDC(nullptr);
    HBITMAP hbm = CreateDIBSection(hdcMem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(hdcMem, hbm);
    if (flags & PRF_ERASEBKGND)
        SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdcMem), 0);
    SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdcMem), flags);
    GdiFlush();
    const auto* p = static_cast<const DWORD*>(bits);
    for (int i = 0; i < px.width * px.height; ++i)
        px.rgb.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
    SelectObject(hdcMem, old);
    DeleteObject(hbm);
    DeleteDC(hdcMem);
    return px;
}

// What a window shows, without needing a display: its client area, then each visible child drawn
// on its own (controls clip to their own client rectangle in device units) and placed where it sits.
inline Pixels CaptureClient(HWND hWnd)
{
    Pixels px = PrintClient(hWnd, PRF_CLIENT | PRF_ERASEBKGND);
    for (HWND hChild = GetWindow(hWnd, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        if (!IsWindowVisible(hChild))
            continue;
        RECT rcChild;
        GetClientRect(hChild, &rcChild);
        MapWindowPoints(hChild, hWnd, reinterpret_cast<POINT*>(&rcChild), 2);
        const Pixels child = PrintClient(hChild, PRF_CLIENT | PRF_ERASEBKGND);
        for (int y = 0; y < child.height; ++y) {
            for (int x = 0; x < child.width; ++x) {
                const int tx = rcChild.left + x;
                const int ty = rcChild.top + y;
                if (tx >= 0 && ty >= 0 && tx < px.width && ty < px.height)
                    px.rgb[static_cast<size_t>(ty * px.width + tx)] = child.At(x, y);
            }
        }
    }
    return px;
}

}  // namespace afxtest
