// The document: dynamic creation, its fields, new-document behaviour, and the executable's folder.
#include "ConvertVtqDoc.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<CConvertVtqDoc> NewDoc()
{
    CObject* pObject = RUNTIME_CLASS(CConvertVtqDoc)->CreateObject();
    return std::unique_ptr<CConvertVtqDoc>(static_cast<CConvertVtqDoc*>(pObject));
}

TEST(ConvertVtqDoc, CreatedDynamicallyAsADocument)
{
    auto doc = NewDoc();
    ASSERT_NE(nullptr, doc);
    EXPECT_TRUE(doc->IsKindOf(RUNTIME_CLASS(CDocument)));
    EXPECT_TRUE(doc->IsKindOf(RUNTIME_CLASS(CConvertVtqDoc)));
    EXPECT_STREQ("CConvertVtqDoc", doc->GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(doc->m_csWorkPath.IsEmpty());
    EXPECT_EQ(FALSE, doc->m_bCancel.load());
}

TEST(ConvertVtqDoc, NewDocumentKeepsTheJobFieldsAndNeverMarksModified)
{
    auto doc = NewDoc();
    ASSERT_NE(nullptr, doc);
    doc->m_csWorkPath = L"C:\\Tools\\ConvWork";
    doc->m_bCancel = TRUE;
    doc->SetModifiedFlag(TRUE);
    EXPECT_EQ(TRUE, doc->OnNewDocument());
    EXPECT_EQ(CString(L"C:\\Tools\\ConvWork"), doc->m_csWorkPath);
    EXPECT_EQ(TRUE, doc->m_bCancel.load());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(TRUE, doc->SaveModified());  // an unmodified document may close without a question
}

TEST(ConvertVtqDoc, SerializeTouchesNothingInEitherDirection)
{
    auto doc = NewDoc();
    doc->m_csWorkPath = L"X";
    for (UINT mode : {static_cast<UINT>(CArchive::store), static_cast<UINT>(CArchive::load)}) {
        CArchive ar(nullptr, mode);
        doc->Serialize(ar);
        EXPECT_EQ(CString(L"X"), doc->m_csWorkPath);
        EXPECT_FALSE(doc->IsModified());
    }
}

struct FolderCase {
    const wchar_t* modulePath;
    const wchar_t* folder;
};

class FolderOfModulePath : public ::testing::TestWithParam<FolderCase> {};

TEST_P(FolderOfModulePath, FollowsTheLastBackslashRule)
{
    EXPECT_EQ(CString(GetParam().folder), CConvertVtqDoc::FolderOfModulePath(GetParam().modulePath));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FolderOfModulePath,
    ::testing::Values(FolderCase{L"C:\\Tools\\app.exe", L"C:\\Tools"},
                      FolderCase{L"C:\\app.exe", L"C:"},                       // root folder: no backslash
                      FolderCase{L"\\app.exe", L"\\app.exe"},                  // backslash only at index 0
                      FolderCase{L"app.exe", L"app.exe"},                      // no backslash
                      FolderCase{L"\\\\server\\share\\bin\\app.exe", L"\\\\server\\share\\bin"},
                      FolderCase{L"D:\\ツール\\変換\\ConvertVtq.exe", L"D:\\ツール\\変換"}));

TEST(ConvertVtqDoc, GetExeFolderIsTheFolderTheTestRunsFrom)
{
    wchar_t path[4096];
    const DWORD n = GetModuleFileNameW(nullptr, path, 4096);
    ASSERT_GT(n, 0u);
    const std::wstring module(path, n);
    const std::wstring expected = module.substr(0, module.rfind(L'\\'));

    auto doc = NewDoc();
    const CString folder = doc->GetExeFolder();
    EXPECT_EQ(expected, std::wstring(folder.GetString()));
    EXPECT_NE(L'\\', folder[folder.GetLength() - 1]);
    const DWORD attributes = GetFileAttributesW(folder);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
