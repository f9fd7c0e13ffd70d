// The view's archive operations: the project name an archive carries, the sentence of each kind
// of failure, and the entry-name encodings of extraction.
#include "convert_test_util.h"

#include <gtest/gtest.h>

#include <functional>

namespace cvqtest {
namespace {

std::string U8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

struct NameCase {
    const char* name;
    std::vector<std::string> entries;  // raw names, in order
    std::uint16_t flags;
    const wchar_t* project;
};

class ProjectName : public ::testing::TestWithParam<NameCase> {};

TEST_P(ProjectName, ComesFromTheFirstEntry)
{
    const NameCase& c = GetParam();
    TempFolder tmp;
    testzip::RawArchive archive;
    for (const std::string& entry : c.entries)
        archive.entries.push_back(testzip::Entry(entry, "x", 8, c.flags));
    const std::wstring path = tmp / L"p.vtq";
    const std::string bytes = testzip::Build(archive);
    WriteFileBytes(path, bytes);

    EXPECT_EQ(CString(c.project), CConvertVtqView::GetProjectNameFromFile(path.c_str()));
    EXPECT_TRUE(bytes == ReadFileBytes(path));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProjectName,
    ::testing::Values(NameCase{"Slash", {"Plant/model.xml"}, 0, L"Plant"},
                      NameCase{"BackslashesAndSuffix", {"Plant_Package\\data\\a.bin"}, 0, L"Plant"},
                      NameCase{"SuffixIsCaseSensitive", {"plant_package/a"}, 0, L"plant_package"},
                      NameCase{"OnlyTheSuffix", {"_Package/a"}, 0, L""},
                      NameCase{"NoSeparatorInFirstEntry", {"readme.txt", "Plant/a"}, 0, L""},
                      NameCase{"SeparatorFirst", {"/a", "Plant/a"}, 0, L""},
                      NameCase{"BackslashBeforeSlash", {"Top/sub\\file"}, 0, L"Top/sub"},
                      NameCase{"BackslashFirstThenSlash", {"\\a/b"}, 0, L"\\a"},
                      NameCase{"ShiftJis", {kSjisKoujou + "/a"}, 0, L"工場"},
                      NameCase{"ShiftJisWithBackslashByte", {kSjisHyou + "/a"}, 0, L"表"},
                      NameCase{"FlaggedUtf8Package", {U8(u8"工場_Package/x")}, 0x800, L"工場"},
                      NameCase{"EmptyArchive", {}, 0, L""}),
    [](const ::testing::TestParamInfo<NameCase>& p) { return std::string(p.param.name); });

TEST(ProjectName, OfAMissingOrBrokenFileIsEmpty)
{
    TempFolder tmp;
    EXPECT_EQ(CString(), CConvertVtqView::GetProjectNameFromFile((tmp / L"missing.vtq").c_str()));
    WriteFileBytes(tmp / L"broken.vtq", "not an archive");
    EXPECT_EQ(CString(), CConvertVtqView::GetProjectNameFromFile((tmp / L"broken.vtq").c_str()));
}

// A folder "src" with one file, an archive "a.zip" of it, a file that is no archive, and an output
// that already exists.
struct OpsFixture {
    TempFolder tmp;
    std::wstring src = tmp / L"src";
    std::wstring zip = tmp / L"a.zip";
    std::wstring junk = tmp / L"junk.zip";
    std::wstring taken = tmp / L"taken.zip";
    OpsFixture()
    {
        WriteFileBytes(src + L"\\f.txt", "f");
        WriteFileBytes(zip, testzip::Build(Archive({{"src/f.txt", "f"}})));
        WriteFileBytes(junk, "no archive here");
        WriteFileBytes(taken, "taken");
    }
};

struct FailureCase {
    const char* name;
    std::function<BOOL(OpsFixture&, CString*)> call;
    const wchar_t* sentence;
};

class FailureSentence : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureSentence, NamesTheKindOfFailure)
{
    OpsFixture f;
    const std::string zipBytes = ReadFileBytes(f.zip);
    CString msg = L"stale";
    EXPECT_EQ(FALSE, GetParam().call(f, &msg));
    EXPECT_EQ(CString(GetParam().sentence), msg);
    EXPECT_TRUE(zipBytes == ReadFileBytes(f.zip));
    EXPECT_EQ("taken", ReadFileBytes(f.taken));
}

const std::wstring kLongName(300, L'a');

INSTANTIATE_TEST_SUITE_P(
    Cases, FailureSentence,
    ::testing::Values(
        FailureCase{"ZipNullSource", [](OpsFixture& f, CString* m) { return CConvertVtqView::Zip(nullptr, (f.tmp / L"o.zip").c_str(), m); },
                    L"指定したファイル名が不正（NULL）です。"},
        FailureCase{"ZipEmptyTarget", [](OpsFixture& f, CString* m) { return CConvertVtqView::Zip(f.src.c_str(), L"", m); },
                    L"指定したファイル名が不正です。"},
        FailureCase{"ZipTooLong", [](OpsFixture& f, CString* m) { return CConvertVtqView::Zip(f.src.c_str(), (f.tmp / kLongName).c_str(), m); },
                    L"指定したファイル名が長すぎます。"},
        FailureCase{"ZipMissingFolder", [](OpsFixture& f, CString* m) { return CConvertVtqView::Zip((f.tmp / L"none").c_str(), (f.tmp / L"o.zip").c_str(), m); },
                    L"指定したパスが無効です。"},
        FailureCase{"ZipColon", [](OpsFixture& f, CString* m) { return CConvertVtqView::Zip(f.src.c_str(), (f.tmp / L"a:b.zip").c_str(), m); },
                    L"指定したファイル名が不正（書式不正）です。"},
        FailureCase{"ZipExistingTarget", [](OpsFixture& f, CString* m) { return CConvertVtqView::Zip(f.src.c_str(), f.taken.c_str(), m); },
                    L"出力するファイルが既に存在します。"},
        FailureCase{"UnZipNullEncoding", [](OpsFixture& f, CString* m) { return CConvertVtqView::UnZip(f.zip.c_str(), (f.tmp / L"x").c_str(), nullptr, m); },
                    L"指定したファイル名が不正（NULL）です。"},
        FailureCase{"UnZipUnknownEncoding", [](OpsFixture& f, CString* m) { return CConvertVtqView::UnZip(f.zip.c_str(), (f.tmp / L"x").c_str(), L"x-unknown", m); },
                    L"指定したファイル名が不正です。"},
        FailureCase{"UnZipFolderAsArchive", [](OpsFixture& f, CString* m) { return CConvertVtqView::UnZip(f.src.c_str(), (f.tmp / L"x").c_str(), L"utf-8", m); },
                    L"ファイルにアクセス権がありません。"},
        FailureCase{"UnZipMissingArchive", [](OpsFixture& f, CString* m) { return CConvertVtqView::UnZip((f.tmp / L"none.zip").c_str(), (f.tmp / L"x").c_str(), L"utf-8", m); },
                    L"指定したファイル名が見付かりません。"},
        FailureCase{"UnZipNotAnArchive", [](OpsFixture& f, CString* m) { return CConvertVtqView::UnZip(f.junk.c_str(), (f.tmp / L"x").c_str(), L"utf-8", m); },
                    L"指定したファイルは破損しています。"},
        FailureCase{"UnZipExistingFile", [](OpsFixture& f, CString* m) { return CConvertVtqView::UnZip(f.zip.c_str(), f.tmp.Path().c_str(), L"shift_jis", m); },
                    L"出力するファイルが既に存在します。"},
        FailureCase{"ReadNullList", [](OpsFixture& f, CString* m) { return CConvertVtqView::ReadZipFile(f.zip.c_str(), nullptr, m); },
                    L"引数が設定されていません。"},
        FailureCase{"ReadNullPath", [](OpsFixture&, CString* m) { CStringArray l; return CConvertVtqView::ReadZipFile(nullptr, &l, m); },
                    L"指定したファイル名が不正（NULL）です。"},
        FailureCase{"ReadMissingFolder", [](OpsFixture& f, CString* m) { CStringArray l; return CConvertVtqView::ReadZipFile((f.tmp / L"none\\a.zip").c_str(), &l, m); },
                    L"指定したパスが無効です。"},
        FailureCase{"ReadMissingFile", [](OpsFixture& f, CString* m) { CStringArray l; return CConvertVtqView::ReadZipFile((f.tmp / L"none.zip").c_str(), &l, m); },
                    L"指定したファイル名が見付かりません。"},
        FailureCase{"ReadNotAnArchive", [](OpsFixture& f, CString* m) { CStringArray l; return CConvertVtqView::ReadZipFile(f.junk.c_str(), &l, m); },
                    L"指定したファイルは破損しています。"},
        FailureCase{"ReadLockedFile",
                    [](OpsFixture& f, CString* m) {
                        HANDLE h = ::CreateFileW(f.zip.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
                        CStringArray l;
                        const BOOL b = CConvertVtqView::ReadZipFile(f.zip.c_str(), &l, m);
                        ::CloseHandle(h);
                        return b;
                    },
                    L"ファイルが開けませんでした。"}),
    [](const ::testing::TestParamInfo<FailureCase>& p) { return std::string(p.param.name); });

TEST(ArchiveOps, ShiftJisNamesReadDifferentlyInUtf8WhileFlaggedAndAsciiNamesDoNot)
{
    TempFolder tmp;
    const std::string sjis = testzip::Build(Archive({{kSjisKoujou + "/" + kSjisZumen + ".txt", "z"}}));
    const std::string flagged = testzip::Build(Archive({{U8(u8"工場/図面.txt"), "z"}}, 0x800));
    const std::string ascii = testzip::Build(Archive({{"Plant/a.txt", "z"}}));
    struct Case {
        const std::string* bytes;
        bool same;
    };
    int n = 0;
    for (const Case& c : {Case{&sjis, false}, Case{&flagged, true}, Case{&ascii, true}}) {
        const std::wstring archive = tmp / (L"a" + std::to_wstring(n) + L".zip");
        WriteFileBytes(archive, *c.bytes);
        const std::wstring asUtf8 = tmp / (L"u" + std::to_wstring(n));
        const std::wstring asSjis = tmp / (L"s" + std::to_wstring(n++));
        CString msg = L"stale";
        EXPECT_EQ(TRUE, CConvertVtqView::UnZip(archive.c_str(), asUtf8.c_str(), L"utf-8", &msg));
        EXPECT_TRUE(msg.IsEmpty()) << "cleared on success";
        EXPECT_EQ(TRUE, CConvertVtqView::UnZip(archive.c_str(), asSjis.c_str(), L"shift_jis", &msg));
        EXPECT_EQ(c.same, ListFolder(asUtf8) == ListFolder(asSjis));
        EXPECT_TRUE(*c.bytes == ReadFileBytes(archive));
    }
    EXPECT_EQ(std::vector<std::wstring>{L"図面.txt"}, ListFolder(tmp / L"s0\\工場"));

    CStringArray list;
    CString msg = L"stale";
    EXPECT_EQ(TRUE, CConvertVtqView::ReadZipFile((tmp / L"a0.zip").c_str(), &list, &msg));
    EXPECT_TRUE(msg.IsEmpty());
    ASSERT_EQ(1, list.GetSize());
    EXPECT_EQ(CString(L"工場/図面.txt"), list[0]);
}

TEST(ArchiveOps, AFailedArchiveBuildLeavesNothingBehind)
{
    TempFolder tmp;
    WriteFileBytes(tmp / L"src\\a.txt", std::string(100000, 'a'));
    WriteFileBytes(tmp / L"src\\b.txt", "b");
    WriteFileBytes(tmp / L"src\\z.txt", "z");
    ::CreateDirectoryW((tmp / L"out").c_str(), nullptr);
    // A file that cannot be read while the archive is being written (the build has begun by then).
    HANDLE h = ::CreateFileW((tmp / L"src\\z.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CString msg;
    const BOOL ok = CConvertVtqView::Zip((tmp / L"src").c_str(), (tmp / L"out\\a.vtq").c_str(), &msg);
    ::CloseHandle(h);
    EXPECT_EQ(FALSE, ok);
    EXPECT_FALSE(msg.IsEmpty());
    EXPECT_TRUE(ListFolder(tmp / L"out").empty()) << "neither the output nor a temporary file";

    // The same build goes through once the file can be read.
    EXPECT_EQ(TRUE, CConvertVtqView::Zip((tmp / L"src").c_str(), (tmp / L"out\\a.vtq").c_str(), &msg));
    EXPECT_EQ(std::vector<std::wstring>{L"a.vtq"}, ListFolder(tmp / L"out"));
}

}  // namespace
}  // namespace cvqtest
