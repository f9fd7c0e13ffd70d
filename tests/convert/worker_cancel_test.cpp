// Cancelling a job at each of the worker's cancel points, and jobs that share a work folder.
#include "job_fixture.h"

#include "CancelPoint.h"

namespace cvqtest {
namespace {

testzip::RawArchive SjisProject()
{
    return Archive({{kSjisKoujou + "/a.txt", "a"}, {kSjisKoujou + "/b/c.txt", "c"}});
}

TEST_F(JobTest, ACancelBeforeTheFirstFileGivesExactlyThreeLines)
{
    const std::wstring input = AddInput(L"x.vtq", SjisProject());
    m_pDoc->m_bCancel = TRUE;
    EXPECT_EQ((std::vector<std::wstring>{kStart, kCancel, kEnd}), Run({input, input}));
    EXPECT_TRUE(ListFolder(m_out).empty());
}

TEST_F(JobTest, ACancelDuringAFileTakesEffectBeforeTheNextOne)
{
    const std::wstring first = AddInput(L"first.vtq", SjisProject());
    const std::wstring second = AddInput(L"second.vtq", SjisProject());
    // The user clicks while the first file's line is on its way.
    m_host.m_onLine = [this, &first](const std::wstring& line) {
        if (line == Line(kConverted, first))
            m_pDoc->m_bCancel = TRUE;
    };
    EXPECT_EQ((std::vector<std::wstring>{kStart, Line(kConverted, first), kCancel, kEnd}), Run({first, second}));
    EXPECT_EQ(std::vector<std::wstring>{L"first.vtq"}, ListFolder(m_out));
}

// Requests the cancel on the worker thread just before the chosen point reads it, as a click that
// arrives while the worker is between two points.
std::atomic<int> g_cancelAt{0};
void CancelAt(tagCVQ_THREAD_PARAM* pParam, CancelPoint point)
{
    if (static_cast<int>(point) == g_cancelAt.load())
        pParam->pDoc->m_bCancel = TRUE;
}

class CancelPointTest : public JobTest, public ::testing::WithParamInterface<CancelPoint> {
protected:
    void SetUp() override
    {
        g_cancelAt = static_cast<int>(GetParam());
        g_pfnCancelPointHook = &CancelAt;
    }
    void TearDown() override
    {
        g_pfnCancelPointHook = nullptr;
        JobTest::TearDown();
    }
};

TEST_P(CancelPointTest, EndsTheJobWithoutOutputAndRemovesTheExtractionFolder)
{
    const std::wstring input = AddInput(L"x.vtq", SjisProject());
    // Leftovers of an earlier failed extraction are removed with the folder too.
    WriteFileBytes(m_conv + L"\\old\\left.txt", "left");

    EXPECT_EQ((std::vector<std::wstring>{kStart, kCancel, kEnd}), Run({input, input}));
    EXPECT_TRUE(ListFolder(m_out).empty());
    if (GetParam() == CancelPoint::BeforeFile)
        EXPECT_TRUE(Exists(m_conv)) << "the first point leaves the work folder alone";
    else
        EXPECT_FALSE(Exists(m_conv));
}

INSTANTIATE_TEST_SUITE_P(Points, CancelPointTest,
                         ::testing::Values(CancelPoint::BeforeFile, CancelPoint::BeforeExtract,
                                           CancelPoint::BeforeArchive));

TEST_F(JobTest, ASecondJobOnTheSameWorkFolderWaitsForTheFirst)
{
    const std::wstring first = AddInput(L"first.vtq", SjisProject());
    const std::wstring second = AddInput(L"second.vtq", SjisProject());
    const std::wstring third = AddInput(L"third.vtq", SjisProject());

    // While the first job is held in its first file's line, a second job starts on the same work
    // folder and gets as far as its wait; only then does the first go on.
    CLogHost otherHost;
    tagCVQ_THREAD_PARAM otherParam;
    FillRecord(otherParam, {third});
    HANDLE hOther = nullptr;
    m_host.m_onLine = [&](const std::wstring& line) {
        if (line != Line(kConverted, first))
            return;
        hOther = StartWorker(otherParam, otherHost);
        const ULONGLONG guard = ::GetTickCount64() + 60000;
        while (otherHost.m_lines.size() < 2 && ::GetTickCount64() < guard) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&msg);
        }
    };
    EXPECT_EQ((std::vector<std::wstring>{kStart, Line(kConverted, first), Line(kConverted, second), kEnd}),
              Run({first, second}));
    ASSERT_NE(nullptr, hOther);
    EXPECT_EQ(0u, PumpUntilEnded(hOther));
    ::CloseHandle(hOther);
    EXPECT_EQ((std::vector<std::wstring>{kStart, kWait, Line(kConverted, third), kEnd}), otherHost.m_lines);
    EXPECT_EQ((std::vector<std::wstring>{L"first.vtq", L"second.vtq", L"third.vtq"}), ListFolder(m_out));
}

TEST_F(JobTest, AJobWaitingForTheWorkFolderCanBeCancelled)
{
    const std::wstring input = AddInput(L"x.vtq", SjisProject());
    // Another process's job holds the work folder.
    HANDLE hLock = ::CreateFileW((m_work + L"\\ConvertVtq.lock").c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0,
                                 nullptr, OPEN_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock);
    m_host.m_onLine = [this](const std::wstring& line) {
        if (line == kWait)
            m_pDoc->m_bCancel = TRUE;
    };
    EXPECT_EQ((std::vector<std::wstring>{kStart, kWait, kCancel, kEnd}), Run({input}));
    ::CloseHandle(hLock);
    EXPECT_TRUE(ListFolder(m_out).empty());
    EXPECT_TRUE(ListFolder(m_work).empty());
}

TEST_F(JobTest, AJobWithoutAUsableWorkFolderConvertsNothing)
{
    const std::wstring input = AddInput(L"x.vtq", SjisProject());
    FillRecord(m_param, {input});
    const std::wstring missing = m_tmp / L"no\\ConvWork";
    m_param.csWorkPath = missing.c_str();
    EXPECT_EQ((std::vector<std::wstring>{kStart, Line(kNoWorkFolder, missing), kEnd}), RunJob(m_param, m_host));
    EXPECT_TRUE(ListFolder(m_out).empty());
    EXPECT_FALSE(Exists(m_tmp / L"no"));
}

}  // namespace
}  // namespace cvqtest
