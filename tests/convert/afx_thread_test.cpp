// Worker threads of the framework: suspended start, priority, parameters, exit codes and the
// thread object's self-deletion.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct Probe {
    std::atomic<bool> ran{false};
    std::atomic<DWORD> threadId{0};
    HANDLE hDone = nullptr;  // set when the function has run, if not null
};

UINT ProbeProc(LPVOID pParam)
{
    auto* probe = static_cast<Probe*>(pParam);
    probe->threadId = ::GetCurrentThreadId();
    probe->ran = true;
    if (probe->hDone != nullptr)
        ::SetEvent(probe->hDone);
    return 42;
}

HANDLE Duplicate(HANDLE h)
{
    HANDLE hDup = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), h, ::GetCurrentProcess(), &hDup, 0, FALSE, DUPLICATE_SAME_ACCESS);
    return hDup;
}

class SuspendedStart : public ::testing::TestWithParam<int> {};

TEST_P(SuspendedStart, WaitsForResumeRunsAtThePriorityAskedAndDeletesItself)
{
    Probe probe;
    CWinThread* pThread = AfxBeginThread(&ProbeProc, &probe, GetParam(), 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    EXPECT_TRUE(pThread->m_bAutoDelete);
    EXPECT_NE(0u, pThread->m_nThreadID);
    EXPECT_EQ(GetParam(), pThread->GetThreadPriority());
    const DWORD threadId = pThread->m_nThreadID;
    HANDLE hOriginal = pThread->m_hThread;
    HANDLE hThread = Duplicate(hOriginal);
    EXPECT_FALSE(probe.ran);

    EXPECT_EQ(1u, pThread->ResumeThread()) << "it was suspended once";
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 60000));
    EXPECT_TRUE(probe.ran);
    EXPECT_EQ(threadId, probe.threadId.load());
    DWORD code = 0;
    EXPECT_TRUE(::GetExitCodeThread(hThread, &code));
    EXPECT_EQ(42u, code);
    // The object deleted itself and closed its handle with it.
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(hOriginal, &flags));
    ::CloseHandle(hThread);
}

INSTANTIATE_TEST_SUITE_P(Priorities, SuspendedStart,
                         ::testing::Values(THREAD_PRIORITY_HIGHEST, THREAD_PRIORITY_NORMAL, THREAD_PRIORITY_LOWEST));

TEST(WinThread, KeptWhenAutoDeleteIsCleared)
{
    Probe probe;
    CWinThread* pThread = AfxBeginThread(&ProbeProc, &probe, THREAD_PRIORITY_NORMAL, 64 * 1024, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, 60000));
    DWORD code = 0;
    EXPECT_TRUE(::GetExitCodeThread(*pThread, &code));
    EXPECT_EQ(42u, code);
    EXPECT_TRUE(probe.ran);
    delete pThread;
}

TEST(WinThread, StartsAtOnceWithoutTheSuspendedFlag)
{
    Probe probe;
    probe.hDone = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // The object may be gone as soon as the thread ends: only the result is looked at.
    EXPECT_NE(nullptr, AfxBeginThread(&ProbeProc, &probe));
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(probe.hDone, 60000));
    EXPECT_NE(::GetCurrentThreadId(), probe.threadId.load());
    ::CloseHandle(probe.hDone);
}

}  // namespace
