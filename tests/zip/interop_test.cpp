// Archives we write open in Python's zipfile and in bsdtar (libarchive) with identical names and
// data, and archives they write (data descriptors, Zip64, extra fields) read back here. Native only:
// the tools run as child processes, and the test is skipped where they are missing.
#include "create_archive.h"
#include "zip_test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using System::IO::Compression::ZipFile;
using testzip::W;

bool Have(const char* tool) { return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0; }

int Shell(const std::string& command) { return std::system(command.c_str()); }

std::string Q(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

class Interop : public testing::Test {
protected:
    void SetUp() override
    {
        if (!Have("python3") || !Have("bsdtar")) GTEST_SKIP() << "python3 or bsdtar missing";
        const auto root = m_dir / L"src/Plant";
        testzip::WriteBytes(root / testzip::P(W(U"\u65E5\u672C\u8A9E/\u8868\u793A.txt")), "hyouji");
        testzip::WriteBytes(root / testzip::P(W(U"\u30BD\u30D5\u30C8/\uFF5E\u2460.bin")), std::string(70000, '\x07') + "x");
        testzip::WriteBytes(root / "empty.txt", "");
        std::string random(200000, '\0');
        std::uint32_t x = 7;
        for (auto& c : random) c = static_cast<char>((x = x * 1664525u + 1013904223u) >> 24);
        testzip::WriteBytes(root / "data/random.dat", random);
        std::string text;
        for (int i = 0; text.size() < 3 * cvq::zip::kPieceSize; ++i) text += std::to_string(i) + " ";
        testzip::WriteBytes(root / "data/pieces.txt", text);
        std::filesystem::create_directories(root / testzip::P(W(U"\u7A7A/inner")));
    }

    // Python lists each entry as "name<TAB>hex of data" (folders marked), sorted, in a file.
    std::string PythonListing(const std::filesystem::path& archive, const char* encoding = nullptr)
    {
        const auto out = m_dir / "listing.txt";
        const std::string enc = encoding ? std::string(", metadata_encoding='") + encoding + "'" : "";
        const std::string script = "import sys, zipfile\n"
                                   "z = zipfile.ZipFile(sys.argv[1]" + enc + ")\n"
                                   "assert z.testzip() is None\n"
                                   "rows = sorted(i.filename + '\\t' + ('<dir>' if i.is_dir() else z.read(i).hex()) for i in z.infolist())\n"
                                   "open(sys.argv[2], 'w', encoding='utf-8').write('\\n'.join(rows))\n";
        testzip::WriteBytes(m_dir / "list.py", script);
        EXPECT_EQ(Shell("python3 " + Q(m_dir / "list.py") + " " + Q(archive) + " " + Q(out)), 0);
        return testzip::ReadBytes(out);
    }

    // The same listing made from a folder tree.
    std::string TreeListing(const std::filesystem::path& root)
    {
        std::vector<std::string> rows;
        for (const auto& [name, data] : testzip::Snapshot(root)) {
            std::string hex;
            static const char* digits = "0123456789abcdef";
            for (unsigned char c : data) { hex += digits[c >> 4]; hex += digits[c & 15]; }
            const std::string n = cvq::zip::EncodeUtf8(name);
            if (data == "<dir>") {
                bool empty = std::filesystem::is_empty(root / testzip::P(name));
                if (empty) rows.push_back(n + "/\t<dir>");
            } else {
                rows.push_back(n + "\t" + hex);
            }
        }
        std::sort(rows.begin(), rows.end());
        std::string joined;
        for (std::size_t i = 0; i < rows.size(); ++i) joined += (i ? "\n" : "") + rows[i];
        return joined;
    }

    testzip::TempDir m_dir;
};

TEST_F(Interop, OurArchivesOpenInPythonAndBsdtar)
{
    struct Variant {
        const char* file;
        cvq::zip::CreateOptions options;
    };
    cvq::zip::CreateOptions zip64;
    zip64.limits = {1000, 3};  // Zip64 sizes, offsets and end record on a small archive
    cvq::zip::CreateOptions oneThread;
    oneThread.threads = 1;
    for (const Variant& v : {Variant{"plain.vtq", {}}, Variant{"zip64.vtq", zip64}, Variant{"one-thread.vtq", oneThread}}) {
        SCOPED_TRACE(v.file);
        const auto archive = m_dir / v.file;
        cvq::zip::CreateArchive(m_dir.WideChild(L"src/Plant").c_str(), testzip::Wide(archive).c_str(), 6, true, nullptr,
                                v.options);
        const std::string tree = TreeListing(m_dir / "src");
        ASSERT_NE(tree.find("Plant/data/random.dat\t"), std::string::npos);
        ASSERT_NE(tree.find("/inner/\t<dir>"), std::string::npos);
        EXPECT_EQ(PythonListing(archive), tree);
        const auto out = m_dir / (std::string("bsdtar-") + v.file);
        std::filesystem::create_directories(out);
        ASSERT_EQ(Shell("bsdtar -xf " + Q(archive) + " -C " + Q(out)), 0);
        EXPECT_EQ(testzip::Snapshot(out), testzip::Snapshot(m_dir / "src"));
    }
}

TEST_F(Interop, TheirArchivesReadBackHere)
{
    // bsdtar: streaming writer with data descriptors and extra fields.
    const auto bsd = m_dir / "bsdtar.zip";
    ASSERT_EQ(Shell("cd " + Q(m_dir / "src") + " && bsdtar --format zip -cf " + Q(bsd) + " Plant"), 0);
    ZipFile::ExtractToDirectory(testzip::Wide(bsd).c_str(), m_dir.WideChild(L"from-bsdtar").c_str(), nullptr);
    EXPECT_EQ(testzip::Snapshot(m_dir / "from-bsdtar"), testzip::Snapshot(m_dir / "src"));

    // Python to a pipe (data descriptors), with forced Zip64 and a comment.
    const auto py = m_dir / "python.zip";
    const std::string script = "import os, sys, zipfile\n"
                               "with zipfile.ZipFile(sys.stdout.buffer, 'w', zipfile.ZIP_DEFLATED) as z:\n"
                               "    z.comment = b'made by python'\n"
                               "    for d, _, files in sorted(os.walk('Plant')):\n"
                               "        for f in sorted(files):\n"
                               "            p = os.path.join(d, f)\n"
                               "            with open(p, 'rb') as i, z.open(p, 'w', force_zip64=True) as o: o.write(i.read())\n";
    testzip::WriteBytes(m_dir / "make.py", script);
    ASSERT_EQ(Shell("cd " + Q(m_dir / "src") + " && python3 " + Q(m_dir / "make.py") + " > " + Q(py)), 0);
    ZipFile::ExtractToDirectory(testzip::Wide(py).c_str(), m_dir.WideChild(L"from-python").c_str(), nullptr);
    auto expected = testzip::Snapshot(m_dir / "src");
    std::erase_if(expected, [&](const auto& kv) { return kv.second == "<dir>"; });
    auto got = testzip::Snapshot(m_dir / "from-python");
    std::erase_if(got, [&](const auto& kv) { return kv.second == "<dir>"; });
    EXPECT_EQ(got, expected);
}

TEST_F(Interop, ShiftJisNamesAgreeWithPythonCp932)
{
    // Names stored in code page 932 without bit 11, as the program's input archives are.
    const auto archive = m_dir / "sjis.vtq";
    ZipFile::CreateFromDirectory(m_dir.WideChild(L"src/Plant").c_str(), testzip::Wide(archive).c_str(),
                                 System::IO::Compression::CompressionLevel::Optimal, true,
                                 System::Text::Encoding::GetEncoding(L"shift_jis"));
    EXPECT_EQ(PythonListing(archive, "cp932"), TreeListing(m_dir / "src"));
    std::vector<std::wstring> ours = testzip::ListNames(archive);
    EXPECT_NE(std::find(ours.begin(), ours.end(), W(U"Plant/\u30BD\u30D5\u30C8/\uFF5E\u2460.bin")), ours.end());
}

} // namespace
