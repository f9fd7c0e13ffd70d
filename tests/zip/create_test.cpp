// ZipFile::CreateFromDirectory: the layout other tools and the program rely on, header by header,
// the refusals, and output that stays the same whatever the thread count.
#include "create_archive.h"
#include "os_file.h"
#include "raw_zip_reader.h"
#include "raw_zip_writer.h"
#include "zip_test_util.h"

#include <gtest/gtest.h>

namespace {

using System::IO::Compression::CompressionLevel;
using System::IO::Compression::ZipFile;
using System::Text::Encoding;
using testzip::W;

void SetTime(const std::filesystem::path& p, cvq::zip::CivilTime t)
{
    cvq::zip::os::File f(testzip::Wide(p), cvq::zip::os::File::Mode::Read);
    f.SetLastWriteTime(cvq::zip::os::FromLocalCivil(t));
}

class Create : public testing::Test {
protected:
    void SetUp() override
    {
        testzip::WriteBytes(m_dir / L"src/Plant/a.txt", Text());
        testzip::WriteBytes(m_dir / L"src/Plant/empty.bin", "");
        testzip::WriteBytes(m_dir / W(U"src/Plant/\u8868/\u30BD.txt"), "so");
        std::filesystem::create_directories(m_dir / L"src/Plant/sub/emptydir");
        std::filesystem::create_directories(m_dir / L"src/Plant/zempty");
        testzip::WriteBytes(m_dir / L"src/Plant/sub/big.dat", Big());
        testzip::WriteBytes(m_dir / L"src/Plant/sub/huge.txt", Huge());
        std::filesystem::create_directories(m_dir / L"dst");
    }

    static std::string Text()
    {
        std::string s;
        for (int i = 0; i < 500; ++i) s += "line " + std::to_string(i) + " of some project text\n";
        return s;
    }
    static std::string Big()
    {
        std::string s(300000, '\0');
        std::uint32_t x = 12345;
        for (auto& c : s) c = static_cast<char>((x = x * 1103515245u + 12345u) >> 24 & 0x3F);
        return s;
    }
    // Several compression pieces long, and not a whole number of them.
    static std::string Huge()
    {
        std::string s;
        for (int i = 0; s.size() < 2 * cvq::zip::kPieceSize + 12345; ++i) s += "record " + std::to_string(i * 7919 % 100003) + ";";
        return s;
    }
    std::wstring Src() const { return m_dir.WideChild(L"src/Plant"); }
    std::wstring Dst(const wchar_t* name = L"out.vtq") const { return m_dir.WideChild(std::wstring(L"dst/") + name); }
    void Make(const std::wstring& dst) const
    {
        ZipFile::CreateFromDirectory(Src().c_str(), dst.c_str(), CompressionLevel::Optimal, true,
                                     Encoding::GetEncoding(L"utf-8"));
    }

    testzip::TempDir m_dir;
};

TEST_F(Create, WritesTheBaseFolderUtf8NamesAndEmptyFoldersOnly)
{
    Make(Dst());
    const testzip::RawListing raw = testzip::Parse(testzip::ReadBytes(m_dir / L"dst/out.vtq"));
    std::vector<std::string> names;
    for (const auto& r : raw.records) names.push_back(r.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Plant/a.txt", "Plant/empty.bin", "Plant/sub/big.dat", "Plant/sub/emptydir/",
                                               "Plant/sub/huge.txt", "Plant/zempty/", "Plant/\xE8\xA1\xA8/\xE3\x82\xBD.txt"}));
    const std::map<std::string, std::string> content = {{"Plant/a.txt", Text()},
                                                        {"Plant/empty.bin", ""},
                                                        {"Plant/sub/big.dat", Big()},
                                                        {"Plant/sub/huge.txt", Huge()},
                                                        {"Plant/\xE8\xA1\xA8/\xE3\x82\xBD.txt", "so"}};
    EXPECT_FALSE(raw.zip64End);
    for (const auto& r : raw.records) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.localFlags, 0x0800);  // bit 11, and no data descriptor (bit 3)
        EXPECT_EQ(r.centralFlags, 0x0800);
        EXPECT_EQ(r.localVersion, 20);
        EXPECT_EQ(r.centralVersion, 20);
        EXPECT_TRUE(r.localExtra.empty());
        EXPECT_TRUE(r.centralExtra.empty());
        EXPECT_EQ(r.localCompressed32, r.compressedSize);
        EXPECT_EQ(r.localSize32, r.size);
        if (r.name.back() == '/') {
            EXPECT_EQ(r.method, 0);
            EXPECT_EQ(r.size, 0u);
            EXPECT_EQ(r.externalAttributes, 0x10u);
            continue;
        }
        const std::string& data = content.at(r.name);
        EXPECT_EQ(r.crc, testzip::Crc(data));
        EXPECT_EQ(r.size, data.size());
        if (data.empty()) {
            EXPECT_EQ(r.method, 0);
            EXPECT_EQ(r.compressedSize, 0u);
        } else if (data.size() <= cvq::zip::kPieceSize) {
            EXPECT_EQ(r.method, 8);
            EXPECT_EQ(r.compressed, testzip::DeflateRaw(data, 6));  // plain zlib level 6
        } else {
            EXPECT_EQ(r.method, 8);
            EXPECT_EQ(testzip::InflateRaw(r.compressed, data.size()), data);  // one stream across pieces
            EXPECT_LT(r.compressed.size(), testzip::DeflateRaw(data, 6).size() * 101 / 100);
        }
    }
}

TEST_F(Create, ExtractsBackToTheSameTree)
{
    Make(Dst());
    ZipFile::ExtractToDirectory(Dst().c_str(), m_dir.WideChild(L"back").c_str(), Encoding::GetEncoding(L"shift_jis"));
    auto original = testzip::Snapshot(m_dir / L"src");
    EXPECT_EQ(testzip::Snapshot(m_dir / L"back"), original);
}

TEST_F(Create, WithoutBaseFolderAndWithAnotherEncoding)
{
    ZipFile::CreateFromDirectory(Src().c_str(), Dst().c_str(), CompressionLevel::Optimal, false,
                                 Encoding::GetEncoding(L"shift_jis"));
    const testzip::RawListing raw = testzip::Parse(testzip::ReadBytes(m_dir / L"dst/out.vtq"));
    ASSERT_EQ(raw.records.size(), 7u);
    EXPECT_EQ(raw.records[0].name, "a.txt");
    EXPECT_EQ(raw.records[6].name, "\x95\x5C/\x83\x5C.txt");
    for (const auto& r : raw.records) EXPECT_EQ(r.centralFlags & 0x0800, 0);
}

TEST_F(Create, EmptyBaseFolderIsOneFolderEntry)
{
    std::filesystem::create_directories(m_dir / L"src/Lonely");
    ZipFile::CreateFromDirectory(m_dir.WideChild(L"src/Lonely/").c_str(), Dst().c_str(), CompressionLevel::Optimal, true,
                                 nullptr);
    EXPECT_EQ(testzip::ListNames(m_dir / L"dst/out.vtq"), std::vector<std::wstring>{L"Lonely/"});
}

TEST_F(Create, RefusesAnExistingArchiveAndLeavesItAlone)
{
    testzip::WriteBytes(m_dir / L"dst/out.vtq", "precious");
    EXPECT_THROW(Make(Dst()), System::IO::IOException);
    EXPECT_EQ(testzip::Snapshot(m_dir / L"dst"), (std::map<std::wstring, std::string>{{L"out.vtq", "precious"}}));
}

TEST_F(Create, MissingFoldersLeaveNothingBehind)
{
    EXPECT_THROW(ZipFile::CreateFromDirectory(m_dir.WideChild(L"src/none").c_str(), Dst().c_str(),
                                              CompressionLevel::Optimal, true, nullptr),
                 System::IO::DirectoryNotFoundException);
    EXPECT_THROW(ZipFile::CreateFromDirectory(m_dir.WideChild(L"src/Plant/a.txt").c_str(), Dst().c_str(),
                                              CompressionLevel::Optimal, true, nullptr),
                 System::IO::DirectoryNotFoundException);
    EXPECT_THROW(Make(m_dir.WideChild(L"dst/missing/out.vtq")), System::IO::DirectoryNotFoundException);
    EXPECT_TRUE(testzip::Snapshot(m_dir / L"dst").empty());
}

TEST_F(Create, SuccessLeavesOnlyTheArchive)
{
    Make(Dst());
    const auto dst = testzip::Snapshot(m_dir / L"dst");
    ASSERT_EQ(dst.size(), 1u);
    EXPECT_EQ(dst.begin()->first, L"out.vtq");
}

#ifndef _WIN32
TEST_F(Create, FailureMidwayRemovesTheTemporaryArchive)
{
    // A link to nothing is listed as a file but cannot be opened: the build fails after it began.
    std::filesystem::create_symlink(m_dir / L"nowhere", m_dir / L"src/Plant/zz-dangling");
    EXPECT_THROW(Make(Dst()), System::IO::IOException);
    EXPECT_TRUE(testzip::Snapshot(m_dir / L"dst").empty());
}
#endif

TEST_F(Create, StoresLocalTimesAsDosTimes)
{
    SetTime(m_dir / L"src/Plant/a.txt", {2020, 5, 6, 7, 8, 11});
    SetTime(m_dir / L"src/Plant/empty.bin", {1975, 3, 4, 5, 6, 7});
    Make(Dst());
    const testzip::RawListing raw = testzip::Parse(testzip::ReadBytes(m_dir / L"dst/out.vtq"));
    EXPECT_EQ(raw.records[0].dosDate, ((2020 - 1980) << 9) | (5 << 5) | 6);
    EXPECT_EQ(raw.records[0].dosTime, (7 << 11) | (8 << 5) | (10 / 2));
    EXPECT_EQ(raw.records[1].dosDate, (1 << 5) | 1);
    EXPECT_EQ(raw.records[1].dosTime, 0);
}

TEST_F(Create, OutputIsTheSameWhateverTheThreadsAndBuffering)
{
    std::string reference;
    int variant = 0;
    for (const unsigned threads : {1u, 2u, 4u}) {
        for (const std::size_t budget : {std::size_t{0}, std::size_t{3} << 20, std::size_t{64} << 20}) {
            cvq::zip::CreateOptions options;
            options.threads = threads;
            options.aheadBudget = budget;
            const std::wstring dst = Dst((L"v" + std::to_wstring(variant++) + L".zip").c_str());
            cvq::zip::CreateArchive(Src().c_str(), dst.c_str(), 6, true, nullptr, options);
            const std::string bytes = testzip::ReadBytes(testzip::P(dst));
            if (reference.empty()) reference = bytes;
            EXPECT_EQ(bytes, reference) << "threads " << threads << ", budget " << budget;
        }
    }
}

struct Zip64Case {
    const char* label;
    cvq::zip::WriterLimits limits;
    unsigned threads;
};

void PrintTo(const Zip64Case& c, std::ostream* os) { *os << c.label; }

class CreateZip64 : public Create, public testing::WithParamInterface<Zip64Case> {};

// Lowered thresholds put small archives through every Zip64 path: large sizes (in memory and
// streamed), large offsets, a large directory and many entries.
TEST_P(CreateZip64, WritesZip64RecordsWhereNeededAndReadsBack)
{
    cvq::zip::CreateOptions options;
    options.limits = GetParam().limits;
    options.threads = GetParam().threads;
    cvq::zip::CreateArchive(Src().c_str(), Dst().c_str(), 6, true, nullptr, options);
    const testzip::RawListing raw = testzip::Parse(testzip::ReadBytes(m_dir / L"dst/out.vtq"));
    const std::uint64_t max32 = options.limits.max32;
    bool anyZip64 = false;
    for (const auto& r : raw.records) {
        SCOPED_TRACE(r.name);
        const bool needsCentral = r.size >= max32 || r.compressedSize >= max32 || r.offset >= max32;
        EXPECT_EQ(!r.centralExtra.empty(), needsCentral);
        EXPECT_EQ(r.size32 == 0xFFFFFFFF, r.size >= max32);
        EXPECT_EQ(r.offset32 == 0xFFFFFFFF, r.offset >= max32);
        if (!r.localExtra.empty()) {
            EXPECT_EQ(r.localCompressed32, 0xFFFFFFFFu);
        }
        EXPECT_EQ(r.localVersion, r.centralVersion);
        anyZip64 = anyZip64 || needsCentral || !r.localExtra.empty();
    }
    EXPECT_TRUE(anyZip64 || raw.zip64End);
    const bool endNeeded = raw.records.size() >= options.limits.maxEntries || raw.endDirectoryOffset == 0xFFFFFFFF;
    EXPECT_EQ(raw.zip64End, endNeeded || raw.endCount == 0xFFFF);
    ZipFile::ExtractToDirectory(Dst().c_str(), m_dir.WideChild(L"back").c_str(), nullptr);
    EXPECT_EQ(testzip::Snapshot(m_dir / L"back"), testzip::Snapshot(m_dir / L"src"));
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, CreateZip64,
    testing::Values(Zip64Case{"sizes", {1000, 0xFFFF}, 2}, Zip64Case{"sizes_one_thread", {1000, 0xFFFF}, 1},
                    Zip64Case{"offsets_and_some_sizes", {250000, 0xFFFF}, 2}, Zip64Case{"entry_count", {0xFFFFFFFF, 3}, 2},
                    Zip64Case{"everything", {10, 2}, 1}));

} // namespace
