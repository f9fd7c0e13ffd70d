// The conversion worker on its own thread, sending its lines to a window on the test's thread:
// conversions, the files it leaves alone, and the lines that say why.
#include "job_fixture.h"

using namespace std::string_literals;

namespace cvqtest {
namespace {

std::string U8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

const std::string kDrawing(3000, 'd');
const std::string kTable = "table\0\x01\x02\xFF"s;

// A project as the companion product writes it: Shift_JIS names without the UTF-8 flag.
testzip::RawArchive SjisProject(const std::string& top)
{
    return Archive({{top + "/", ""},
                    {top + "/" + kSjisZumen + ".txt", kDrawing},
                    {top + "/" + kSjisSekkei + "/" + kSjisHyou + ".dat", kTable},
                    {top + "/empty/", ""}});
}

// The file entries of an archive as name -> content, and whether every name carries bit 11.
std::map<std::string, std::string> Contents(const std::vector<ArchivedFile>& files, bool& allFlagged)
{
    std::map<std::string, std::string> contents;
    allFlagged = !files.empty();
    for (const ArchivedFile& f : files) {
        contents[f.name] = f.data;
        allFlagged &= (f.flags & 0x800) != 0;
    }
    return contents;
}

TEST_F(JobTest, ShiftJisProjectAndPackageFilesBecomeUtf8CopiesWithTheSameContent)
{
    const std::wstring vtq = AddInput(L"Plant.vtq", SjisProject(kSjisKoujou));
    const std::wstring vtqp = AddInput(L"Plant.vtqp", SjisProject(kSjisKoujou + "_Package"));

    const auto lines = Run({vtq, vtqp});

    EXPECT_EQ((std::vector<std::wstring>{kStart, Line(kConverted, vtq), Line(kConverted, vtqp), kEnd}), lines);
    for (const auto& [output, top] : {std::pair{Out(L"Plant.vtq"), U8(u8"工場")},
                                      std::pair{Out(L"Plant.vtqp"), U8(u8"工場_Package")}}) {
        bool allFlagged = false;
        const auto contents = Contents(ReadArchive(output), allFlagged);
        EXPECT_TRUE(allFlagged) << "every name carries the UTF-8 flag";
        EXPECT_EQ((std::map<std::string, std::string>{{top + "/empty/", ""},
                                                      {top + U8(u8"/図面.txt"), kDrawing},
                                                      {top + U8(u8"/設計/表.dat"), kTable}}),
                  contents);
    }
    // Nothing of the job stays in the work folder: no extraction folder, no lock.
    EXPECT_TRUE(ListFolder(m_work).empty());
}

TEST_F(JobTest, ThreadParamStartsClearAndClearsAgain)
{
    tagCVQ_THREAD_PARAM param;
    EXPECT_EQ(nullptr, param.hWnd);
    EXPECT_TRUE(param.csWorkPath.IsEmpty() && param.csOutputPath.IsEmpty() && param.csaFileList.IsEmpty());
    EXPECT_EQ(nullptr, param.pDoc);
    FillRecord(param, {L"a.vtq", L"b.vtq"});
    param.hWnd = m_host.GetSafeHwnd();
    param.Clear();
    EXPECT_EQ(nullptr, param.hWnd);
    EXPECT_TRUE(param.csWorkPath.IsEmpty() && param.csOutputPath.IsEmpty() && param.csaFileList.IsEmpty());
    EXPECT_EQ(nullptr, param.pDoc);
    EXPECT_EQ(0x464u, WM_RECV_LOG_MSG);
    EXPECT_EQ(0x46Eu, WM_RECV_THREAD_END);
}

// One input, one line about it, and no output.
struct OneFileCase {
    const char* name;
    const wchar_t* file;
    std::string bytes;
    const wchar_t* line;
};

std::string Bytes(const testzip::RawArchive& archive)
{
    return testzip::Build(archive);
}

testzip::RawArchive WithBadCrc(testzip::RawArchive archive, size_t index)
{
    archive.entries[index].crc = testzip::Crc(archive.entries[index].data) ^ 1u;
    return archive;
}

const std::string kAsciiWithSjisBelow = Bytes(Archive({{"Plant/", ""}, {"Plant/" + kSjisZumen + ".txt", "x"}}));
const std::string kFlaggedJapanese = Bytes(Archive({{U8(u8"工場/図面.txt"), "x"}}, 0x800));
const std::string kSjisPackage = Bytes(SjisProject(kSjisKoujou + "_Package"));
const std::string kSjisProject = Bytes(SjisProject(kSjisKoujou));
const std::string kNoTopFolder = Bytes(Archive({{"readme.txt", "r"}, {kSjisKoujou + "_Package/a.txt", "a"}}));
const std::string kCollidingInUtf8 =
    Bytes(Archive({{kSjisKoujou + "/" + kSjisA + ".txt", "a"}, {kSjisKoujou + "/" + kSjisI + ".txt", "i"}}));
const std::string kOutsideEntries = Bytes(Archive({{kSjisKoujou + "/a.txt", "a"}, {"other/b.txt", "b"}}));
const std::string kOutsideFileOfPackage =
    Bytes(Archive({{kSjisKoujou + "_Package/a.txt", "a"}, {"notes.txt", "n"}}));

class OneFile : public JobTest, public ::testing::WithParamInterface<OneFileCase> {};

TEST_P(OneFile, EndsInItsLineWithoutOutput)
{
    const OneFileCase& c = GetParam();
    const std::wstring input = AddInput(c.file, c.bytes);
    EXPECT_EQ((std::vector<std::wstring>{kStart, Line(c.line, input), kEnd}), Run({input}));
    EXPECT_TRUE(ListFolder(m_out).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OneFile,
    ::testing::Values(
        // The project folder's name decides; the names below it are not looked at.
        OneFileCase{"AsciiTopFolder", L"a.vtq", kAsciiWithSjisBelow, kNoNeed},
        OneFileCase{"FlaggedUtf8Names", L"a.vtq", kFlaggedJapanese, kNoNeed},
        // Renamed files: a package named as a project, a package without the suffix.
        OneFileCase{"PackageWithProjectExtension", L"a.vtq", kSjisPackage, kRenamed},
        OneFileCase{"PackageExtensionWithoutSuffix", L"a.vtqp", kSjisProject, kRenamed},
        // An empty project name: a project is the extraction folder itself, a package is missing.
        OneFileCase{"EmptyNameProject", L"a.vtq", kNoTopFolder, kNoNeed},
        OneFileCase{"EmptyNamePackage", L"a.vtqp", kNoTopFolder, kRenamed},
        // Damaged data never becomes an output, whatever the names.
        OneFileCase{"CrcMismatchShiftJis", L"a.vtq", Bytes(WithBadCrc(SjisProject(kSjisKoujou), 2)), kProbeFailed},
        OneFileCase{"CrcMismatchAscii", L"a.vtq", Bytes(WithBadCrc(SjisProject("Plant"), 1)), kProbeFailed},
        OneFileCase{"NamesCollidingInUtf8", L"a.vtq", kCollidingInUtf8, kProbeFailed},
        OneFileCase{"NotAnArchive", L"a.vtq", "PK but not a zip", kProbeFailed},
        // Entries outside the project folder: no incomplete copy.
        OneFileCase{"OutsideFolderOfProject", L"a.vtq", kOutsideEntries, kOutside},
        OneFileCase{"OutsideFileOfPackage", L"a.vtqp", kOutsideFileOfPackage, kOutside}),
    [](const ::testing::TestParamInfo<OneFileCase>& p) { return std::string(p.param.name); });

// A path without a dot, or whose only dot comes first, is passed over before anything is read.
TEST_F(JobTest, PathsWithoutAnExtensionArePassedOverSilently)
{
    EXPECT_EQ((std::vector<std::wstring>{kStart, kEnd}), Run({L"noext", L".vtq", L".VTQP"}));
    EXPECT_TRUE(ListFolder(m_out).empty());
    EXPECT_TRUE(ListFolder(m_work).empty());
}

TEST_F(JobTest, OneTitleGivesOneOutputPerExtensionAndNeverOverwrites)
{
    const std::wstring a = AddInput(L"A\\x.vtq", SjisProject(kSjisKoujou));
    const std::wstring b = AddInput(L"B\\x.vtq", SjisProject(kSjisSekkei));
    const std::wstring p = AddInput(L"B\\x.vtqp", SjisProject(kSjisKoujou + "_Package"));

    EXPECT_EQ((std::vector<std::wstring>{kStart, Line(kConverted, a), Line(kOutputExists, b), Line(kConverted, p), kEnd}),
              Run({a, b, p}));
    EXPECT_EQ((std::vector<std::wstring>{L"x.vtq", L"x.vtqp"}), ListFolder(m_out));
    const std::string first = ReadFileBytes(Out(L"x.vtq"));
    bool allFlagged = false;
    EXPECT_EQ(1u, Contents(ReadArchive(Out(L"x.vtq")), allFlagged).count(U8(u8"工場/図面.txt")))
        << "the first input made the output";

    // A later job finds the outputs of the earlier one and leaves them as they are.
    EXPECT_EQ((std::vector<std::wstring>{kStart, Line(kOutputExists, b), kEnd}), Run({b}));
    EXPECT_EQ(first, ReadFileBytes(Out(L"x.vtq")));
}

TEST_F(JobTest, UpperCaseExtensionsGiveLowerCaseOutputs)
{
    const std::wstring vtq = AddInput(L"Model.VTQ", SjisProject(kSjisKoujou));
    const std::wstring vtqp = AddInput(L"Model.VtqP", SjisProject(kSjisKoujou + "_Package"));

    EXPECT_EQ((std::vector<std::wstring>{kStart, Line(kConverted, vtq), Line(kConverted, vtqp), kEnd}),
              Run({vtq, vtqp}));
    EXPECT_EQ((std::vector<std::wstring>{L"Model.vtq", L"Model.vtqp"}), ListFolder(m_out));
}

TEST_F(JobTest, LeftoversOfAFailedExtractionMakeTheNextProbeFail)
{
    // The first file's good entry is extracted before its damaged one stops the probe.
    const std::wstring first = AddInput(L"first.vtq", WithBadCrc(Archive({{"Plant/a.txt", "a"}, {"Plant/b.txt", "b"}}), 1));
    const std::wstring second = AddInput(L"second.vtq", Archive({{"Plant/a.txt", "a"}}));

    EXPECT_EQ((std::vector<std::wstring>{kStart, Line(kProbeFailed, first), Line(kProbeFailed, second), kEnd}),
              Run({first, second}));
    EXPECT_EQ(std::vector<std::wstring>{L"a.txt"}, ListFolder(m_conv + L"\\Plant"));
    EXPECT_TRUE(ListFolder(m_out).empty());
}

TEST_F(JobTest, AFailedArchiveBuildLeavesNothingAndTheNextJobConverts)
{
    const std::wstring input = AddInput(L"x.vtq", SjisProject(kSjisKoujou));
    // An output folder two levels below anything that exists: the build fails.
    const std::wstring missing = m_out + L"\\no\\such";
    FillRecord(m_param, {input});
    m_param.csOutputPath = missing.c_str();
    EXPECT_EQ((std::vector<std::wstring>{kStart, Line(kArchiveFailed, input), kEnd}), RunJob(m_param, m_host));
    EXPECT_TRUE(ListFolder(m_out).empty());

    ::CreateDirectoryW((m_out + L"\\no").c_str(), nullptr);
    ::CreateDirectoryW(missing.c_str(), nullptr);
    EXPECT_EQ((std::vector<std::wstring>{kStart, Line(kConverted, input), kEnd}), RunJob(m_param, m_host));
    EXPECT_EQ(std::vector<std::wstring>{L"x.vtq"}, ListFolder(missing));
}

}  // namespace
}  // namespace cvqtest
