// Deleting folder trees: whole trees, paths with trailing backslashes, and a file that cannot go.
#include "convert_test_util.h"

#include <gtest/gtest.h>

namespace cvqtest {
namespace {

void MakeTree(const std::wstring& root)
{
    WriteFileBytes(root + L"\\a.txt", "a");
    WriteFileBytes(root + L"\\sub\\b.txt", "b");
    WriteFileBytes(root + L"\\sub\\deeper\\c.txt", "c");
    ::CreateDirectoryW((root + L"\\empty").c_str(), nullptr);
}

TEST(DeleteFolderAll, RemovesTheWholeTreeAndLeavesTheMessageAlone)
{
    TempFolder tmp;
    const std::wstring root = tmp / L"tree";
    MakeTree(root);
    WriteFileBytes(tmp / L"beside.txt", "stays");
    CString msg = L"earlier";
    EXPECT_EQ(TRUE, CConvertVtqView::DeleteFolderAll(root.c_str(), &msg));
    EXPECT_FALSE(Exists(root));
    EXPECT_EQ(CString(L"earlier"), msg) << "success writes nothing";
    EXPECT_EQ(std::vector<std::wstring>{L"beside.txt"}, ListFolder(tmp.Path()));
}

TEST(DeleteFolderAll, SearchesWithoutTrailingBackslashesAndRemovesThePathAsGiven)
{
    TempFolder tmp;
    const std::wstring root = tmp / L"tree";
    MakeTree(root);
    EXPECT_EQ(TRUE, CConvertVtqView::DeleteFolderAll((root + L"\\\\\\").c_str(), nullptr));
    EXPECT_FALSE(Exists(root));
}

// A read-only file is never deleted (attributes are left as they are): after its 100 attempts,
// about 10 seconds, the search stops with the file's sentence and what was not visited stays.
TEST(DeleteFolderAll, GivesUpOnAReadOnlyFileWithItsSentence)
{
    TempFolder tmp;
    const std::wstring root = tmp / L"tree";
    WriteFileBytes(root + L"\\locked.txt", "l");
    ASSERT_TRUE(::SetFileAttributesW((root + L"\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    CString msg;
    EXPECT_EQ(FALSE, CConvertVtqView::DeleteFolderAll((root + L"\\").c_str(), &msg));
    EXPECT_EQ(CString((L"ファイルの削除に失敗しました。" + root + L"\\locked.txt\n").c_str()), msg);
    EXPECT_TRUE(Exists(root + L"\\locked.txt"));
}

}  // namespace
}  // namespace cvqtest
