// The wait cursor: nested waits on one thread, and a worker's wait that leaves other threads alone.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(WaitCursor, NestedWaitsShowTheHourglassUntilTheLastEnds)
{
    HCURSOR hArrow = ::LoadCursorW(nullptr, IDC_ARROW);
    HCURSOR hWait = ::LoadCursorW(nullptr, IDC_WAIT);
    ::SetCursor(hArrow);
    {
        CWaitCursor outer;
        EXPECT_EQ(hWait, ::GetCursor());
        {
            CWaitCursor inner;
            EXPECT_EQ(2, AfxGetWaitCursorCount());
            ::SetCursor(hArrow);  // as a message box would
            inner.Restore();
            EXPECT_EQ(hWait, ::GetCursor());
        }
        EXPECT_EQ(hWait, ::GetCursor()) << "the outer wait still runs";
        EXPECT_EQ(1, AfxGetWaitCursorCount());
    }
    EXPECT_EQ(hArrow, ::GetCursor());
    EXPECT_EQ(0, AfxGetWaitCursorCount());
}

TEST(WaitCursor, AWaitOnAWorkerThreadLeavesThisThreadAlone)
{
    HCURSOR hArrow = ::LoadCursorW(nullptr, IDC_ARROW);
    ::SetCursor(hArrow);
    HANDLE hBegun = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE hFinish = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    int workerCount = 0;
    std::thread worker([&] {
        CWaitCursor wait;
        workerCount = AfxGetWaitCursorCount();
        ::SetEvent(hBegun);
        ::WaitForSingleObject(hFinish, 60000);
    });
    // Checked while the worker's wait runs.
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hBegun, 60000));
    EXPECT_EQ(hArrow, ::GetCursor());
    EXPECT_EQ(0, AfxGetWaitCursorCount());
    ::SetEvent(hFinish);
    worker.join();
    EXPECT_EQ(1, workerCount);
    ::CloseHandle(hBegun);
    ::CloseHandle(hFinish);
}

}  // namespace
