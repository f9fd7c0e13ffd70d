// Path arguments: every call checks them the same way and reports each problem as its kind.
#include "zip_test_util.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using System::IO::Compression::CompressionLevel;
using System::IO::Compression::ZipFile;

struct PathCase {
    const char* label;
    std::function<std::wstring(const testzip::TempDir&)> path;  // relative to a fresh folder
    bool isNull;
    std::function<void(const std::function<void()>&)> expect;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.label; }

template <typename Kind>
std::function<void(const std::function<void()>&)> Expect()
{
    return [](const std::function<void()>& f) { EXPECT_THROW(f(), Kind); };
}

class PathArguments : public testing::TestWithParam<PathCase> {};

// Each bad path is tried in every argument position of every call.
TEST_P(PathArguments, HaveTheirKindInEveryPosition)
{
    testzip::TempDir dir;
    testzip::WriteBytes(dir / L"src/a.txt", "a");
    const std::wstring src = dir.WideChild(L"src");
    const std::wstring fresh = dir.WideChild(L"fresh.zip");
    ZipFile::CreateFromDirectory(src.c_str(), dir.WideChild(L"good.zip").c_str(), CompressionLevel::Optimal, true, nullptr);
    const std::wstring good = dir.WideChild(L"good.zip");
    const std::wstring bad = GetParam().path(dir);
    const wchar_t* p = GetParam().isNull ? nullptr : bad.c_str();
    const std::vector<std::function<void()>> calls = {
        [&] { ZipFile::OpenRead(p); },
        [&] { ZipFile::ExtractToDirectory(p, dir.WideChild(L"out").c_str(), nullptr); },
        [&] { ZipFile::ExtractToDirectory(good.c_str(), p, nullptr); },
        [&] { ZipFile::CreateFromDirectory(p, fresh.c_str(), CompressionLevel::Optimal, true, nullptr); },
        [&] { ZipFile::CreateFromDirectory(src.c_str(), p, CompressionLevel::Optimal, true, nullptr); },
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE("call " + std::to_string(i));
        GetParam().expect(calls[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, PathArguments,
    testing::Values(
        PathCase{"null", [](const testzip::TempDir&) { return std::wstring(); }, true, Expect<System::ArgumentNullException>()},
        PathCase{"empty", [](const testzip::TempDir&) { return std::wstring(); }, false, Expect<System::ArgumentException>()},
        PathCase{"blank", [](const testzip::TempDir&) { return std::wstring(L"   "); }, false, Expect<System::ArgumentException>()},
        PathCase{"less_than", [](const testzip::TempDir& d) { return d.WideChild(L"a<b"); }, false, Expect<System::ArgumentException>()},
        PathCase{"pipe", [](const testzip::TempDir& d) { return d.WideChild(L"a|b"); }, false, Expect<System::ArgumentException>()},
        PathCase{"quote", [](const testzip::TempDir& d) { return d.WideChild(L"a\"b"); }, false, Expect<System::ArgumentException>()},
        PathCase{"wildcard", [](const testzip::TempDir& d) { return d.WideChild(L"a*"); }, false, Expect<System::ArgumentException>()},
        PathCase{"control", [](const testzip::TempDir& d) { return d.WideChild(L"a\tb"); }, false, Expect<System::ArgumentException>()},
        PathCase{"colon_inside", [](const testzip::TempDir& d) { return d.WideChild(L"ab:c"); }, false, Expect<System::NotSupportedException>()},
        PathCase{"too_long", [](const testzip::TempDir& d) { return d.WideChild(std::wstring(300, L'n')); }, false,
                 Expect<System::IO::PathTooLongException>()}));

TEST(PathArgumentsPlain, MissingThingsAreNotFound)
{
    testzip::TempDir dir;
    EXPECT_THROW(ZipFile::OpenRead(dir.WideChild(L"none.zip").c_str()), System::IO::FileNotFoundException);
    EXPECT_THROW(ZipFile::OpenRead(dir.WideChild(L"none/none.zip").c_str()), System::IO::DirectoryNotFoundException);
    // The special kinds belong to the general ones, as callers that test in order rely on.
    EXPECT_THROW(ZipFile::OpenRead(dir.WideChild(L"none.zip").c_str()), System::IO::IOException);
    EXPECT_THROW(ZipFile::OpenRead(nullptr), System::ArgumentException);
    EXPECT_THROW(ZipFile::OpenRead(nullptr), System::Exception);
}

} // namespace
