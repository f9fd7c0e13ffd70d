// A real display under Wine's X11 driver (Xvfb in tests): what a window shows on the screen can be
// captured from the screen itself, frame and all, as a person would see it.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kFill = RGB(101, 101, 101);

LRESULT CALLBACK FillProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_ERASEBKGND) {
        RECT rc;
        GetClientRect(hWnd, &rc);
        HBRUSH brush = CreateSolidBrush(kFill);
        FillRect(reinterpret_cast<HDC>(wParam), &rc, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

void PumpFor(DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(10);
    }
}

TEST(ScreenCapture, ShownWindowIsOnTheScreen)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = FillProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CvqScreenCapture";
    RegisterClassW(&wc);
    HWND hWnd = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"画面", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hWnd);
    ShowWindow(hWnd, SW_SHOWNORMAL);
    UpdateWindow(hWnd);
    PumpFor(500);

    RECT rc;
    GetClientRect(hWnd, &rc);
    POINT centre{rc.right / 2, rc.bottom / 2};
    ClientToScreen(hWnd, &centre);
    HDC screen = GetDC(nullptr);
    const COLORREF inside = GetPixel(screen, centre.x, centre.y);
    const COLORREF outside = GetPixel(screen, 5, 5);
    ReleaseDC(nullptr, screen);
    DestroyWindow(hWnd);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);

    EXPECT_EQ(kFill, inside);
    EXPECT_NE(kFill, outside);
}

}  // namespace
