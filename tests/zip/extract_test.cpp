// ZipFile::ExtractToDirectory: names, folders, times, refusals, and the guards that keep a hostile
// archive inside the destination.
#include "os_file.h"
#include "raw_zip_writer.h"
#include "zip_test_util.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using System::IO::Compression::ZipFile;
using System::Text::Encoding;
using testzip::RawArchive;
using testzip::W;

class Extract : public testing::Test {
protected:
    std::wstring Archive(const RawArchive& a)
    {
        testzip::WriteBytes(m_dir / L"in.zip", testzip::Build(a));
        return m_dir.WideChild(L"in.zip");
    }
    std::wstring Dest() const { return m_dir.WideChild(L"out"); }
    std::map<std::wstring, std::string> Out() const { return testzip::Snapshot(m_dir / L"out"); }

    testzip::TempDir m_dir;
};

TEST_F(Extract, ShiftJisNamesWithBackslashSecondBytes)
{
    RawArchive a;
    a.entries.push_back(testzip::Entry("\x95\x5C\\\x83\x5C.txt", "hyou so"));  // 表\ソ.txt
    a.entries.push_back(testzip::Entry("\xE8\xA1\xA8/\xE8\xA1\xA8.txt", "utf8", 8, 0x800));
    a.entries.push_back(testzip::Entry("\x95\x5C/empty/"));
    ZipFile::ExtractToDirectory(Archive(a).c_str(), Dest().c_str(), Encoding::GetEncoding(L"shift_jis"));
    const std::map<std::wstring, std::string> expected = {
        {W(U"\u8868"), "<dir>"},
        {W(U"\u8868/\u30BD.txt"), "hyou so"},
        {W(U"\u8868/\u8868.txt"), "utf8"},
        {W(U"\u8868/empty"), "<dir>"},
    };
    EXPECT_EQ(Out(), expected);
}

TEST_F(Extract, EncodingChangesOnlyUnflaggedNonAsciiNames)
{
    RawArchive a;
    a.entries.push_back(testzip::Entry("Plant/\x93\xFA\x96\x7B.txt", "sjis"));
    a.entries.push_back(testzip::Entry("Plant/\xE6\x97\xA5.txt", "flagged", 8, 0x800));
    a.entries.push_back(testzip::Entry("Plant/plain.txt", "ascii"));
    const std::wstring archive = Archive(a);
    ZipFile::ExtractToDirectory(archive.c_str(), m_dir.WideChild(L"sjis").c_str(), Encoding::GetEncoding(L"shift_jis"));
    ZipFile::ExtractToDirectory(archive.c_str(), m_dir.WideChild(L"utf8").c_str(), Encoding::GetEncoding(L"utf-8"));
    const auto sjis = testzip::Snapshot(m_dir / L"sjis");
    const auto utf8 = testzip::Snapshot(m_dir / L"utf8");
    EXPECT_EQ(sjis.at(W(U"Plant/\u65E5\u672C.txt")), "sjis");
    EXPECT_EQ(utf8.count(W(U"Plant/\u65E5\u672C.txt")), 0u);
    EXPECT_EQ(utf8.at(W(U"Plant/\uFFFD\uFFFD\uFFFD{.txt")), "sjis");
    for (const auto* snapshot : {&sjis, &utf8}) {
        EXPECT_EQ(snapshot->at(W(U"Plant/\u65E5.txt")), "flagged");
        EXPECT_EQ(snapshot->at(L"Plant/plain.txt"), "ascii");
    }
}

TEST_F(Extract, CreatesMissingFoldersAndAcceptsAnExistingDestination)
{
    RawArchive a;
    a.entries.push_back(testzip::Entry("a\\b/c\\d.txt", "deep"));
    a.entries.push_back(testzip::Entry("./x//y.txt", "dots"));
    const std::wstring archive = Archive(a);
    const std::wstring nested = m_dir.WideChild(L"one/two/three");
    ZipFile::ExtractToDirectory(archive.c_str(), nested.c_str(), nullptr);
    const auto out = testzip::Snapshot(m_dir / L"one/two/three");
    EXPECT_EQ(out.at(L"a/b/c/d.txt"), "deep");
    EXPECT_EQ(out.at(L"x/y.txt"), "dots");

    std::filesystem::create_directories(m_dir / L"out/keep");
    testzip::WriteBytes(m_dir / L"out/keep/mine.txt", "mine");
    ZipFile::ExtractToDirectory(archive.c_str(), Dest().c_str(), nullptr);
    EXPECT_EQ(Out().at(L"keep/mine.txt"), "mine");
    EXPECT_EQ(Out().at(L"a/b/c/d.txt"), "deep");
}

TEST_F(Extract, NeverOverwritesAndKeepsWhatCameBefore)
{
    RawArchive a;
    a.entries.push_back(testzip::Entry("first.txt", "1"));
    a.entries.push_back(testzip::Entry("taken.txt", "archive"));
    a.entries.push_back(testzip::Entry("third.txt", "3"));
    testzip::WriteBytes(m_dir / L"out/taken.txt", "original");
    EXPECT_THROW(ZipFile::ExtractToDirectory(Archive(a).c_str(), Dest().c_str(), nullptr), System::IO::IOException);
    const std::map<std::wstring, std::string> expected = {{L"first.txt", "1"}, {L"taken.txt", "original"}};
    EXPECT_EQ(Out(), expected);
}

TEST_F(Extract, SetsLastWriteTimeFromTheEntry)
{
    RawArchive a;
    auto e = testzip::Entry("t.txt", "time");
    e.dosDate = static_cast<std::uint16_t>(((2021 - 1980) << 9) | (6 << 5) | 15);
    e.dosTime = static_cast<std::uint16_t>((13 << 11) | (45 << 5) | (30 / 2));
    a.entries.push_back(e);
    auto bad = testzip::Entry("bad.txt", "invalid date");
    bad.dosDate = static_cast<std::uint16_t>((41 << 9) | (13 << 5) | 1);  // month 13
    a.entries.push_back(bad);
    ZipFile::ExtractToDirectory(Archive(a).c_str(), Dest().c_str(), nullptr);
    for (const auto& item : cvq::zip::os::ListDirectory(Dest())) {
        const cvq::zip::CivilTime t = cvq::zip::os::ToLocalCivil(item.lastWrite);
        if (item.name == L"t.txt") {
            EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute, t.second}),
                      std::vector<int>({2021, 6, 15, 13, 45, 30}));
        } else {
            EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute, t.second}),
                      std::vector<int>({1980, 1, 1, 0, 0, 0}));
        }
    }
}

struct GuardCase {
    const char* label;
    std::string name;
    std::function<void(const std::function<void()>&)> expectThrow;
};

void PrintTo(const GuardCase& c, std::ostream* os) { *os << c.label; }

template <typename Kind>
std::function<void(const std::function<void()>&)> Throws()
{
    return [](const std::function<void()>& f) { EXPECT_THROW(f(), Kind); };
}

class ExtractGuards : public testing::TestWithParam<GuardCase> {};

// The hostile entry comes second: the first one is extracted, nothing lands outside, and the
// failure has the expected kind.
TEST_P(ExtractGuards, RefuseTheEntryAndWriteNothingOutside)
{
    testzip::TempDir dir;
    RawArchive a;
    a.entries.push_back(testzip::Entry("ok.txt", "fine"));
    a.entries.push_back(testzip::Entry(GetParam().name, "payload"));
    testzip::WriteBytes(dir / L"in.zip", testzip::Build(a));
    const std::wstring archive = dir.WideChild(L"in.zip");
    const std::wstring dest = dir.WideChild(L"deep/out");
    GetParam().expectThrow([&] { ZipFile::ExtractToDirectory(archive.c_str(), dest.c_str(), nullptr); });
    const auto all = testzip::Snapshot(dir.Path());
    const std::map<std::wstring, std::string> expected = {
        {L"deep", "<dir>"}, {L"deep/out", "<dir>"}, {L"deep/out/ok.txt", "fine"}, {L"in.zip", all.at(L"in.zip")}};
    EXPECT_EQ(all, expected);
}

INSTANTIATE_TEST_SUITE_P(
    All, ExtractGuards,
    testing::Values(GuardCase{"parent", "../evil.txt", Throws<System::IO::IOException>()},
                    GuardCase{"parent_deeper", "a/../../evil.txt", Throws<System::IO::IOException>()},
                    GuardCase{"parent_backslash", "a\\..\\..\\evil.txt", Throws<System::IO::IOException>()},
                    GuardCase{"parent_inside", "a/../b.txt", Throws<System::IO::IOException>()},
                    GuardCase{"dots_trimmed", "a/.../b.txt", Throws<System::IO::IOException>()},
                    GuardCase{"dots_and_space", "a/.. /b.txt", Throws<System::IO::IOException>()},
                    GuardCase{"absolute_slash", "/evil.txt", Throws<System::IO::IOException>()},
                    GuardCase{"absolute_backslash", "\\evil.txt", Throws<System::IO::IOException>()},
                    GuardCase{"unc", "\\\\server\\share\\evil.txt", Throws<System::IO::IOException>()},
                    GuardCase{"drive_absolute", "C:/evil.txt", Throws<System::IO::IOException>()},
                    GuardCase{"drive_relative", "c:evil.txt", Throws<System::IO::IOException>()},
                    GuardCase{"no_file_name", ".", Throws<System::IO::IOException>()},
                    GuardCase{"less_than", "a<b.txt", Throws<System::ArgumentException>()},
                    GuardCase{"greater_than", "dir/a>b.txt", Throws<System::ArgumentException>()},
                    GuardCase{"quote", "a\"b.txt", Throws<System::ArgumentException>()},
                    GuardCase{"pipe", "a|b.txt", Throws<System::ArgumentException>()},
                    GuardCase{"question", "a?b.txt", Throws<System::ArgumentException>()},
                    GuardCase{"star", "a*b.txt", Throws<System::ArgumentException>()},
                    GuardCase{"control", "a\x01" "b.txt", Throws<System::ArgumentException>()},
                    GuardCase{"colon_stream", "a.txt:stream", Throws<System::NotSupportedException>()},
                    GuardCase{"device", "CON", Throws<System::NotSupportedException>()},
                    GuardCase{"device_extension", "sub/nul.txt", Throws<System::NotSupportedException>()},
                    GuardCase{"device_com", "Com1.log", Throws<System::NotSupportedException>()}));

TEST_F(Extract, FolderEntryWithDataIsRefused)
{
    RawArchive a;
    a.entries.push_back(testzip::Entry("dir/", "data in a folder"));
    EXPECT_THROW(ZipFile::ExtractToDirectory(Archive(a).c_str(), Dest().c_str(), nullptr), System::IO::IOException);
}

TEST_F(Extract, DamagedEntryIsRemovedAndEarlierEntriesStay)
{
    RawArchive a;
    a.entries.push_back(testzip::Entry("good.txt", "good"));
    auto bad = testzip::Entry("bad.txt", std::string(100000, 'b'));
    bad.crc = 42;
    a.entries.push_back(bad);
    EXPECT_THROW(ZipFile::ExtractToDirectory(Archive(a).c_str(), Dest().c_str(), nullptr),
                 System::IO::InvalidDataException);
    const std::map<std::wstring, std::string> expected = {{L"good.txt", "good"}};
    EXPECT_EQ(Out(), expected);
}

TEST_F(Extract, UnsupportedEntriesCreateNoFile)
{
    for (const std::uint16_t flagsOrMethod : {std::uint16_t{1}, std::uint16_t{12}}) {
        RawArchive a;
        auto e = testzip::Entry("x.txt", "data");
        if (flagsOrMethod == 1) e.flags = 1; else e.method = flagsOrMethod;
        a.entries.push_back(e);
        EXPECT_THROW(ZipFile::ExtractToDirectory(Archive(a).c_str(), Dest().c_str(), nullptr),
                     System::IO::InvalidDataException);
        EXPECT_TRUE(Out().empty());
    }
}

TEST_F(Extract, ArchiveProblemsHaveTheirKinds)
{
    const std::wstring dest = Dest();
    EXPECT_THROW(ZipFile::ExtractToDirectory(m_dir.WideChild(L"missing.zip").c_str(), dest.c_str(), nullptr),
                 System::IO::FileNotFoundException);
    EXPECT_THROW(ZipFile::ExtractToDirectory(m_dir.WideChild(L"nofolder/a.zip").c_str(), dest.c_str(), nullptr),
                 System::IO::DirectoryNotFoundException);
    testzip::WriteBytes(m_dir / L"text.zip", "not an archive");
    EXPECT_THROW(ZipFile::ExtractToDirectory(m_dir.WideChild(L"text.zip").c_str(), dest.c_str(), nullptr),
                 System::IO::InvalidDataException);
    std::filesystem::create_directories(m_dir / L"folder.zip");
    EXPECT_THROW(ZipFile::ExtractToDirectory(m_dir.WideChild(L"folder.zip").c_str(), dest.c_str(), nullptr),
                 System::UnauthorizedAccessException);
    EXPECT_THROW(ZipFile::ExtractToDirectory(nullptr, dest.c_str(), nullptr), System::ArgumentNullException);
    EXPECT_THROW(ZipFile::ExtractToDirectory(m_dir.WideChild(L"text.zip").c_str(), nullptr, nullptr),
                 System::ArgumentNullException);
    EXPECT_THROW(ZipFile::ExtractToDirectory(L"", dest.c_str(), nullptr), System::ArgumentException);
}

} // namespace
