// Reading archives: names as stored, what real writers produce, and damaged input refused as
// InvalidDataException (never a crash, a hang or an unbounded allocation).
#include "archive_access.h"
#include "byte_source.h"
#include "entry_stream.h"
#include "raw_zip_writer.h"
#include "zip_test_util.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using System::IO::InvalidDataException;
using System::IO::Compression::ZipArchive;
using System::Text::Encoding;
using testzip::Descriptor;
using testzip::RawArchive;
using testzip::RawEntry;
using testzip::W;

struct Contents {
    std::vector<std::wstring> names;
    std::vector<std::string> data;
};

Contents ReadAll(const std::string& bytes, const Encoding* encoding = Encoding::GetEncoding(L"shift_jis"))
{
    ZipArchive zip(std::make_unique<cvq::zip::MemorySource>(bytes), encoding);
    Contents out;
    for (const auto& entry : zip.Entries()) {
        out.names.push_back(entry.FullName());
        cvq::zip::EntryStream stream(cvq::zip::ArchiveAccess::Source(zip), cvq::zip::ArchiveAccess::Record(entry));
        std::string data;
        std::uint8_t buffer[7];  // odd and small, to cross every boundary
        while (const std::size_t n = stream.Read(buffer, sizeof buffer)) data.append(reinterpret_cast<char*>(buffer), n);
        out.data.push_back(data);
    }
    return out;
}

TEST(ReaderNames, AreDecodedWholeAndKeptAsStored)
{
    RawArchive a;
    a.entries.push_back(testzip::Entry("Plant/"));
    a.entries.push_back(testzip::Entry("Plant\\\x95\x5C\\a.txt", "x"));              // cp932, '\' separators
    a.entries.push_back(testzip::Entry("Plant/\xE8\xA1\xA8.txt", "y", 8, 0x800));  // UTF-8, bit 11
    a.entries.push_back(testzip::Entry("z.bin", "zz", 0));
    const Contents c = ReadAll(testzip::Build(a));
    EXPECT_EQ(c.names, (std::vector<std::wstring>{W(U"Plant/"), W(U"Plant\\\u8868\\a.txt"), W(U"Plant/\u8868.txt"),
                                                   W(U"z.bin")}));
    EXPECT_EQ(c.data, (std::vector<std::string>{"", "x", "y", "zz"}));

    // The caller's encoding applies to unflagged names only.
    const Contents asUtf8 = ReadAll(testzip::Build(a), Encoding::GetEncoding(L"utf-8"));
    EXPECT_EQ(asUtf8.names[1], W(U"Plant\\\uFFFD\\\\a.txt"));
    EXPECT_EQ(asUtf8.names[2], W(U"Plant/\u8868.txt"));
}

TEST(ReaderNames, FollowCentralDirectoryOrder)
{
    // Local headers in one order, central directory in another.
    RawArchive a;
    a.entries.push_back(testzip::Entry("b", "2"));
    a.entries.push_back(testzip::Entry("a", "1"));
    testzip::Layout layout;
    std::string bytes = testzip::Build(a, &layout);
    // Swap the two central records (each 46 + 1 bytes).
    const std::size_t at = static_cast<std::size_t>(layout.directoryOffset);
    const std::string first = bytes.substr(at, 47), second = bytes.substr(at + 47, 47);
    bytes.replace(at, 94, second + first);
    EXPECT_EQ(ReadAll(bytes).names, (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(ReaderNames, OpenReadDecodesUnflaggedNamesAsCodePage932)
{
    testzip::TempDir dir;
    RawArchive a;
    a.entries.push_back(testzip::Entry("\x93\xFA\x96\x7B/\x95\x5C.txt", "x"));
    testzip::WriteBytes(dir / L"a.zip", testzip::Build(a));
    EXPECT_EQ(testzip::ListNames(dir / L"a.zip"), std::vector<std::wstring>{W(U"\u65E5\u672C/\u8868.txt")});
}

struct VariantCase {
    const char* label;
    std::function<void(RawArchive&)> shape;
};

void PrintTo(const VariantCase& c, std::ostream* os) { *os << c.label; }

class WriterVariants : public testing::TestWithParam<VariantCase> {};

// Archives as other writers make them read back with the same names and data.
TEST_P(WriterVariants, ReadBackNamesAndData)
{
    RawArchive a;
    a.entries.push_back(testzip::Entry("dir/one.txt", std::string(3000, 'a') + "tail"));
    a.entries.push_back(testzip::Entry("dir/two.bin", "\x01\x02\x03", 0));
    a.entries.push_back(testzip::Entry("dir/empty"));
    GetParam().shape(a);
    const Contents c = ReadAll(testzip::Build(a));
    EXPECT_EQ(c.names, (std::vector<std::wstring>{L"dir/one.txt", L"dir/two.bin", L"dir/empty"}));
    EXPECT_EQ(c.data, (std::vector<std::string>{std::string(3000, 'a') + "tail", "\x01\x02\x03", ""}));
}

void ForEach(RawArchive& a, const std::function<void(RawEntry&)>& f)
{
    for (auto& e : a.entries) f(e);
}

INSTANTIATE_TEST_SUITE_P(
    Real, WriterVariants,
    testing::Values(
        VariantCase{"plain", [](RawArchive&) {}},
        VariantCase{"descriptor_signed", [](RawArchive& a) { ForEach(a, [](RawEntry& e) { e.descriptor = Descriptor::Signed32; }); }},
        VariantCase{"descriptor_unsigned", [](RawArchive& a) { ForEach(a, [](RawEntry& e) { e.descriptor = Descriptor::Unsigned32; }); }},
        VariantCase{"descriptor_zip64", [](RawArchive& a) {
                        ForEach(a, [](RawEntry& e) { e.descriptor = Descriptor::Signed64; e.zip64 = true; });
                    }},
        VariantCase{"zip64_extras", [](RawArchive& a) { ForEach(a, [](RawEntry& e) { e.zip64 = true; }); }},
        VariantCase{"zip64_end_record", [](RawArchive& a) { a.zip64End = true; }},
        VariantCase{"zip64_everything", [](RawArchive& a) {
                        a.zip64End = true;
                        ForEach(a, [](RawEntry& e) { e.zip64 = true; });
                    }},
        VariantCase{"comment", [](RawArchive& a) { a.comment = "made by a test"; }},
        VariantCase{"comment_with_end_signature", [](RawArchive& a) { a.comment = std::string("PK\x05\x06", 4) + std::string(30, 'x'); }},
        VariantCase{"longest_comment", [](RawArchive& a) { a.comment = std::string(65535, 'c'); }},
        VariantCase{"unknown_extras_and_unicode_path", [](RawArchive& a) {
                        // Info-ZIP Unicode Path (0x7075) naming something else: ignored.
                        std::string up;
                        testzip::Put(up, 0x7075, 2);
                        testzip::Put(up, 9, 2);
                        up += std::string("\x01\0\0\0\0evil", 9);
                        std::string unknown("\xAA\xBB\x02\x00xy", 6);
                        ForEach(a, [&](RawEntry& e) { e.localExtra = unknown; e.centralExtra = up + unknown; });
                    }},
        VariantCase{"level_9_and_1", [](RawArchive& a) {
                        a.entries[0].compressed = testzip::DeflateRaw(a.entries[0].data, 9);
                        a.entries[2].compressed = testzip::DeflateRaw(a.entries[2].data, 1);
                    }}));

struct DamageCase {
    const char* label;
    std::function<std::string()> make;
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.label; }

RawArchive TwoEntries()
{
    RawArchive a;
    a.entries.push_back(testzip::Entry("a.txt", std::string(5000, 'q') + "end"));
    a.entries.push_back(testzip::Entry("b.txt", "second entry"));
    return a;
}

std::string BuildWith(const std::function<void(RawArchive&)>& change)
{
    RawArchive a = TwoEntries();
    change(a);
    return testzip::Build(a);
}

std::string Patch(std::string bytes, std::size_t at, std::string_view with)
{
    bytes.replace(at, with.size(), with);
    return bytes;
}

class DamagedArchives : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedArchives, AreInvalidData)
{
    EXPECT_THROW(ReadAll(GetParam().make()), InvalidDataException);
}

INSTANTIATE_TEST_SUITE_P(
    All, DamagedArchives,
    testing::Values(
        DamageCase{"empty", [] { return std::string(); }},
        DamageCase{"text", [] { return std::string("this is not an archive at all, just some words"); }},
        DamageCase{"truncated_in_directory", [] {
                       testzip::Layout l;
                       std::string b = testzip::Build(TwoEntries(), &l);
                       return b.substr(0, static_cast<std::size_t>(l.directoryOffset) + 30) + b.substr(static_cast<std::size_t>(l.endOffset));
                   }},
        DamageCase{"truncated_data", [] {
                       testzip::Layout l;
                       std::string b = testzip::Build(TwoEntries(), &l);
                       return b.substr(0, 40) + b.substr(static_cast<std::size_t>(l.endOffset));
                   }},
        DamageCase{"directory_offset_beyond_file", [] { return BuildWith([](RawArchive& a) { a.directoryOffset = 0x7FFFFFFF; }); }},
        DamageCase{"entry_count_too_large", [] { return BuildWith([](RawArchive& a) { a.entryCount = 60000; }); }},
        DamageCase{"entry_count_too_small", [] { return BuildWith([](RawArchive& a) { a.entryCount = 1; }); }},
        DamageCase{"central_signature", [] {
                       testzip::Layout l;
                       const std::string b = testzip::Build(TwoEntries(), &l);
                       return Patch(b, static_cast<std::size_t>(l.directoryOffset), "PK\x09\x09");
                   }},
        DamageCase{"local_signature", [] { return Patch(testzip::Build(TwoEntries()), 0, "XX"); }},
        DamageCase{"local_offset_beyond_directory", [] { return BuildWith([](RawArchive& a) { a.entries[1].offset = 0x100000; }); }},
        DamageCase{"entries_share_data", [] { return BuildWith([](RawArchive& a) { a.entries[1].offset = 0; a.entries[1].name = "a.txt"; }); }},
        DamageCase{"compressed_size_runs_into_next", [] { return BuildWith([](RawArchive& a) { a.entries[0].compressedSize = 4000; }); }},
        DamageCase{"crc_mismatch", [] { return BuildWith([](RawArchive& a) { a.entries[1].crc = 1234; }); }},
        DamageCase{"size_larger_than_data", [] { return BuildWith([](RawArchive& a) { a.entries[0].size = 6000; }); }},
        DamageCase{"size_smaller_than_data", [] { return BuildWith([](RawArchive& a) { a.entries[0].size = 100; }); }},
        DamageCase{"deflate_cut_short", [] {
                       return BuildWith([](RawArchive& a) {
                           std::string d = testzip::DeflateRaw(a.entries[0].data);
                           a.entries[0].compressed = d.substr(0, d.size() / 2);
                       });
                   }},
        DamageCase{"deflate_garbage", [] { return BuildWith([](RawArchive& a) { a.entries[1].compressed = std::string(20, '\xFF'); }); }},
        DamageCase{"stored_sizes_differ", [] {
                       return BuildWith([](RawArchive& a) { a.entries[1].method = 0; a.entries[1].size = 5; });
                   }},
        DamageCase{"method_bzip2", [] { return BuildWith([](RawArchive& a) { a.entries[1].method = 12; }); }},
        DamageCase{"method_deflate64", [] { return BuildWith([](RawArchive& a) { a.entries[1].method = 9; }); }},
        DamageCase{"encrypted", [] { return BuildWith([](RawArchive& a) { a.entries[1].flags = 1; }); }},
        DamageCase{"strong_encryption", [] { return BuildWith([](RawArchive& a) { a.entries[1].flags = 0x41; }); }},
        DamageCase{"local_name_differs", [] { return BuildWith([](RawArchive& a) { a.entries[1].localName = "c.txt"; }); }},
        DamageCase{"local_method_differs", [] { return BuildWith([](RawArchive& a) { a.entries[1].localMethod = 0; }); }},
        DamageCase{"zip64_marker_without_extra", [] { return BuildWith([](RawArchive& a) { a.entries[1].size = 0xFFFFFFFF; }); }},
        DamageCase{"zip64_locator_points_nowhere", [] {
                       RawArchive a = TwoEntries();
                       a.zip64End = true;
                       testzip::Layout l;
                       std::string b = testzip::Build(a, &l);
                       // The locator's record offset is 8 bytes into the locator, 20 bytes before the end record.
                       return Patch(b, static_cast<std::size_t>(l.endOffset) - 12, std::string("\xF0\xFF\xFF\xFF\0\0\0\0", 8));
                   }},
        DamageCase{"zip64_huge_entry_count", [] {
                       RawArchive a = TwoEntries();
                       a.zip64End = true;
                       testzip::Layout l;
                       std::string b = testzip::Build(a, &l);
                       // The Zip64 end record's total count sits 32 bytes into it, 56 + 20 bytes before the end record.
                       return Patch(b, static_cast<std::size_t>(l.endOffset) - 76 + 32, std::string(8, '\x7F'));
                   }},
        DamageCase{"multi_disk", [] {
                       testzip::Layout l;
                       const std::string b = testzip::Build(TwoEntries(), &l);
                       return Patch(b, static_cast<std::size_t>(l.endOffset) + 4, "\x01");
                   }}));

} // namespace
