// Writes the seed corpora: small archives of every shape the reader handles (built with the tests'
// raw ZIP writer) and round-trip recipes. Run once to refresh fuzz/corpus/:
//   build/native/fuzz/zip_make_corpus fuzz/corpus
#include "raw_zip_writer.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace {

void Save(const std::filesystem::path& dir, const std::string& name, const std::string& bytes)
{
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

testzip::RawArchive Base()
{
    testzip::RawArchive a;
    a.entries.push_back(testzip::Entry("Plant/"));
    a.entries.push_back(testzip::Entry("Plant/\x95\x5C\\a.txt", "some text some text some text"));
    a.entries.push_back(testzip::Entry("Plant/\xE8\xA1\xA8.bin", "\x01\x02\x03\x04", 0, 0x800));
    return a;
}

} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path root = argc > 1 ? argv[1] : "corpus";
    const auto read = root / "zip_read_fuzzer";
    Save(read, "plain.zip", testzip::Build(Base()));
    auto a = Base();
    a.comment = "comment";
    Save(read, "comment.zip", testzip::Build(a));
    a = Base();
    for (auto& e : a.entries) e.descriptor = testzip::Descriptor::Signed32;
    Save(read, "descriptor.zip", testzip::Build(a));
    a = Base();
    for (auto& e : a.entries) e.descriptor = testzip::Descriptor::Unsigned32;
    Save(read, "descriptor-unsigned.zip", testzip::Build(a));
    a = Base();
    a.zip64End = true;
    for (auto& e : a.entries) e.zip64 = true;
    Save(read, "zip64.zip", testzip::Build(a));
    a = Base();
    for (auto& e : a.entries) { e.zip64 = true; e.descriptor = testzip::Descriptor::Signed64; }
    Save(read, "zip64-descriptor.zip", testzip::Build(a));
    a = Base();
    a.entries.push_back(testzip::Entry("../escape.txt", "x"));
    a.entries.push_back(testzip::Entry("C:/abs.txt", "x"));
    a.entries.push_back(testzip::Entry("dir/", "data"));
    Save(read, "hostile-names.zip", testzip::Build(a));
    a = Base();
    a.entries[1].crc = 1;
    Save(read, "bad-crc.zip", testzip::Build(a));
    a = Base();
    a.entries[1].offset = 0;
    Save(read, "overlap.zip", testzip::Build(a));
    a = testzip::RawArchive{};
    a.entries.push_back(testzip::Entry("bomb.txt", std::string(200000, 'z')));
    Save(read, "ratio.zip", testzip::Build(a));

    // Round trip recipes: mode byte, then per entry kind, name length, name, time, data length, data
    // (and for pieces, the piece length).
    const auto trip = root / "zip_roundtrip_fuzzer";
    Save(trip, "folder-and-files", std::string("\x18\x80\x06Plant/\x00\x21\x52\x21" "\x01\x05" "a.txt\x00\x00\x21\x21\x02" "0123456789abcdef0123456789abcdef"
                                               "\x02\x04" "b\x95\x5C" "c\x10\x00\x21\x21\x01" "streamed data 16", 80));
    Save(trip, "zip64-low", std::string("\x1B\x20\x02\x81\x03" "\xE8\xA1\xA8\x00\x00\x21\x21\x04" "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef"
                                        "\x02\x01z\x00\x00\x21\x21\x01" "zzzzzzzzzzzzzzzz", 90));
    Save(trip, "pieces", std::string("\x18\x03\x02pc\x00\x00\x21\x21\x04") + std::string(64, 'p') + "\x0A");
    Save(trip, "stored", std::string("\x00\x01\x03" "s.b\x00\x00\x21\x21\x01" "abcdefghijklmnop", 26));
    return 0;
}
