// The framework's file finder over a real folder.
#include "convert_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace cvqtest {
namespace {

TEST(FileFind, VisitsEveryItemWithNameKindAndPath)
{
    TempFolder tmp;
    WriteFileBytes(tmp / L"b.txt", "b");
    WriteFileBytes(tmp / L"工場.vtq", "k");
    ::CreateDirectoryW((tmp / L"sub").c_str(), nullptr);

    CFileFind finder;
    EXPECT_TRUE(finder.GetFileName().IsEmpty()) << "nothing is current before the first step";
    std::vector<std::wstring> seen;
    int dots = 0;
    BOOL bWorking = finder.FindFile((tmp / L"*.*").c_str());
    EXPECT_TRUE(bWorking);
    while (bWorking) {
        bWorking = finder.FindNextFile();
        if (finder.IsDots()) {
            ++dots;
            EXPECT_TRUE(finder.IsDirectory());
            continue;
        }
        const std::wstring name = finder.GetFileName().Str();
        seen.push_back(name + (finder.IsDirectory() ? L"/" : L""));
        EXPECT_EQ(tmp / name, finder.GetFilePath().Str());
    }
    // The last item stays current after the step that reported it as the last.
    EXPECT_FALSE(finder.GetFileName().IsEmpty());
    finder.Close();
    EXPECT_TRUE(finder.GetFileName().IsEmpty());

    std::sort(seen.begin(), seen.end());
    EXPECT_EQ((std::vector<std::wstring>{L"b.txt", L"sub/", L"工場.vtq"}), seen);
    EXPECT_EQ(2, dots);
}

TEST(FileFind, FindsNothingInAMissingFolderOrForAPatternWithoutMatches)
{
    TempFolder tmp;
    WriteFileBytes(tmp / L"a.txt", "a");
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile((tmp / L"missing\\*.*").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_FALSE(finder.FindFile((tmp / L"*.vtq").c_str()));
    EXPECT_TRUE(finder.FindFile((tmp / L"*.txt").c_str()));
    EXPECT_FALSE(finder.FindNextFile()) << "the only match is also the last";
    EXPECT_EQ(CString(L"a.txt"), finder.GetFileName());
    EXPECT_FALSE(finder.IsDirectory());
}

}  // namespace
}  // namespace cvqtest
