// Real Win32 windows under Wine: a worker thread sends lines to a window of the test's own thread,
// which adds them to a list box; pixels drawn by a window are read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT WM_TEST_LINE = WM_USER + 100;
constexpr UINT WM_TEST_END = WM_USER + 110;
constexpr int IDC_TEST_LIST = 1000;

struct HostState {
    HWND hList = nullptr;
    DWORD uiThread = 0;
    bool allOnUiThread = true;
    bool ended = false;
};

LRESULT CALLBACK HostProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<HostState*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (uMsg) {
    case WM_TEST_LINE:
        state->allOnUiThread &= GetCurrentThreadId() == state->uiThread;
        // Newest line at the top, as the program's log shows it.
        SendMessageW(state->hList, LB_INSERTSTRING, 0, lParam);
        return 0;
    case WM_TEST_END:
        state->ended = true;
        return 0;
    default:
        return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }
}

class HostWindow {
public:
    explicit HostWindow(WNDPROC proc)
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CvqTestHost";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassExW(&wc);
        m_hWnd = CreateWindowExW(0, L"CvqTestHost", L"テスト", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                 nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~HostWindow()
    {
        DestroyWindow(m_hWnd);
        UnregisterClassW(L"CvqTestHost", GetModuleHandleW(nullptr));
    }
    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};

std::wstring ListText(HWND hList, int index)
{
    const auto len = SendMessageW(hList, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len < 0)
        return L"<LB_ERR>";
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(hList, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(len));
    return text;
}

TEST(WindowMessaging, WorkerSendsLinesThatArriveInOrderOnTheWindowThread)
{
    HostWindow host(HostProc);
    ASSERT_NE(nullptr, host.Get());
    HostState state;
    state.uiThread = GetCurrentThreadId();
    state.hList = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 0, 0,
                                  380, 260, host.Get(), reinterpret_cast<HMENU>(IDC_TEST_LIST),
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, state.hList);
    SetWindowLongPtrW(host.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));

    const std::vector<std::wstring> lines = {L"変換を開始します。", L"Plant.vtq", L"変換を終了しました。"};
    std::atomic<bool> sawEachLineBeforeNext{true};
    std::thread worker([&] {
        for (size_t i = 0; i < lines.size(); ++i) {
            SendMessageW(host.Get(), WM_TEST_LINE, 0, reinterpret_cast<LPARAM>(lines[i].c_str()));
            // SendMessageW returns only after the window handled it: the line is already listed.
            const auto count = SendMessageW(state.hList, LB_GETCOUNT, 0, 0);
            if (count != static_cast<LRESULT>(i + 1))
                sawEachLineBeforeNext = false;
        }
        SendMessageW(host.Get(), WM_TEST_END, 0, 0);
    });

    // The test's thread pumps messages, as the program's user-interface thread does, until the end
    // message arrives or a generous deadline passes.
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!state.ended && GetTickCount64() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    worker.join();

    ASSERT_TRUE(state.ended);
    EXPECT_TRUE(state.allOnUiThread);
    EXPECT_TRUE(sawEachLineBeforeNext);
    ASSERT_EQ(3, SendMessageW(state.hList, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(lines[2], ListText(state.hList, 0));
    EXPECT_EQ(lines[1], ListText(state.hList, 1));
    EXPECT_EQ(lines[0], ListText(state.hList, 2));
}

LRESULT CALLBACK PaintProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_PRINTCLIENT || uMsg == WM_PAINT) {
        PAINTSTRUCT ps{};
        HDC hdc = uMsg == WM_PAINT ? BeginPaint(hWnd, &ps) : reinterpret_cast<HDC>(wParam);
        RECT rc;
        GetClientRect(hWnd, &rc);
        HBRUSH grey = CreateSolidBrush(RGB(101, 101, 101));
        FillRect(hdc, &rc, grey);
        DeleteObject(grey);
        if (uMsg == WM_PAINT)
            EndPaint(hWnd, &ps);
        return 0;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

// Reads a window's client area back into a 32-bit top-down bitmap.
std::vector<COLORREF> CaptureClient(HWND hWnd, int& width, int& height)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    width = rc.right;
    height = rc.bottom;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC hdcScreen = GetDC(nullptr);
    HDC hdcMem = CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = CreateDIBSection(hdcScreen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(hdcMem, hbm);
    SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdcMem), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    std::vector<COLORREF> pixels;
    const auto* p = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
    SelectObject(hdcMem, old);
    DeleteObject(hbm);
    DeleteDC(hdcMem);
    ReleaseDC(nullptr, hdcScreen);
    return pixels;
}

TEST(WindowMessaging, ClientPixelsReadBackWithoutADisplay)
{
    HostWindow host(PaintProc);
    ASSERT_NE(nullptr, host.Get());
    int width = 0;
    int height = 0;
    const auto pixels = CaptureClient(host.Get(), width, height);
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    EXPECT_EQ(RGB(101, 101, 101), pixels.front());
    EXPECT_EQ(RGB(101, 101, 101), pixels[static_cast<size_t>(width * height / 2 + width / 2)]);
    EXPECT_EQ(RGB(101, 101, 101), pixels.back());
}

}  // namespace
