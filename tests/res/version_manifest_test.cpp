// ConvertVtq.exe's version block, read through GetFileVersionInfoW, and its application manifest,
// read as text and handed to the side-by-side loader.
#include "resource_file.h"

#include <gtest/gtest.h>

#include <map>

using namespace cvq_res_test;

namespace {

class VersionBlock : public ::testing::Test {
protected:
    void SetUp() override
    {
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeW(ExePath().c_str(), &handle);
        ASSERT_GT(size, 0u) << "no version block";
        m_block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(ExePath().c_str(), 0, size, m_block.data()));
    }
    const void* Query(const std::wstring& path, UINT* length)
    {
        void* value = nullptr;
        *length = 0;
        return VerQueryValueW(m_block.data(), path.c_str(), &value, length) ? value : nullptr;
    }

private:
    std::vector<BYTE> m_block;
};

TEST_F(VersionBlock, FixedPartNamesVersionOneForAWindowsApplication)
{
    UINT length = 0;
    auto fixed = static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\", &length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionBlock, TranslationIsJapaneseInUnicode)
{
    UINT length = 0;
    auto words = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", &length));
    ASSERT_NE(words, nullptr);
    ASSERT_EQ(length, 4u) << "one translation entry";
    EXPECT_EQ(words[0], 0x0411);
    EXPECT_EQ(words[1], 1200);
    EXPECT_FALSE(ResourceBytes(RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), kJapanese).empty())
        << "the block itself carries the language Japanese";
}

const std::pair<const wchar_t*, const wchar_t*> kVersionStrings[] = {
    {L"CompanyName", L"ConvertVtq Project"},
    {L"FileDescription", L"ConvertVtq"},
    {L"FileVersion", L"1.0.0.0"},
    {L"InternalName", L"ConvertVtq.exe"},
    {L"LegalCopyright", L"Copyright (C) ConvertVtq Project"},
    {L"OriginalFilename", L"ConvertVtq.exe"},
    {L"ProductName", L"VTQ,VTQP変換ツール"},
    {L"ProductVersion", L"1.0.0.0"},
};

TEST_F(VersionBlock, StringTableHoldsEveryField)
{
    for (const auto& [field, text] : kVersionStrings) {
        UINT length = 0;
        auto value = static_cast<const wchar_t*>(Query(std::wstring(L"\\StringFileInfo\\041104b0\\") + field, &length));
        ASSERT_NE(value, nullptr) << ::testing::PrintToString(std::wstring(field));
        EXPECT_EQ(std::wstring(value), text) << ::testing::PrintToString(std::wstring(field));
    }
}

// ---------------------------------------------------------------------------------------------------
// Manifest
// ---------------------------------------------------------------------------------------------------
std::string ManifestText()
{
    auto bytes = ResourceBytes(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID, kEnglishUs);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The attributes of the first element with this name (enough for the manifest's flat XML).
std::map<std::string, std::string> Attributes(const std::string& xml, const std::string& element)
{
    std::map<std::string, std::string> attributes;
    size_t at = xml.find("<" + element);
    if (at == std::string::npos)
        return attributes;
    const size_t end = xml.find('>', at);
    at += element.size() + 1;
    while (true) {
        const size_t eq = xml.find('=', at);
        if (eq == std::string::npos || eq > end)
            break;
        const char quote = xml[eq + 1];
        const size_t close = xml.find(quote, eq + 2);
        const size_t nameStart = xml.find_first_not_of(" \t\r\n", at);
        attributes[xml.substr(nameStart, eq - nameStart)] = xml.substr(eq + 2, close - eq - 2);
        at = close + 1;
    }
    return attributes;
}

// A 64-bit executable: the dependency must name the same architecture (or any), or Windows refuses
// to start the program ("side-by-side configuration is incorrect").
TEST(Manifest, DependsOnCommonControlsSixForThisArchitecture)
{
    DWORD binaryType = 0;
    ASSERT_TRUE(GetBinaryTypeW(ExePath().c_str(), &binaryType));
    ASSERT_EQ(binaryType, static_cast<DWORD>(SCS_64BIT_BINARY));

    auto identity = Attributes(ManifestText(), "assemblyIdentity");
    EXPECT_EQ(identity["type"], "win32");
    EXPECT_EQ(identity["name"], "Microsoft.Windows.Common-Controls");
    EXPECT_EQ(identity["version"], "6.0.0.0");
    EXPECT_EQ(identity["processorArchitecture"], "amd64");
    EXPECT_EQ(identity["publicKeyToken"], "6595b64144ccf1df");
    EXPECT_EQ(identity["language"], "*");
}

TEST(Manifest, RunsAsInvokerAndDpiAware)
{
    const std::string xml = ManifestText();
    auto level = Attributes(xml, "requestedExecutionLevel");
    EXPECT_EQ(level["level"], "asInvoker");
    EXPECT_EQ(level["uiAccess"], "false");
    const size_t dpi = xml.find("<dpiAware");
    ASSERT_NE(dpi, std::string::npos);
    EXPECT_EQ(Attributes(xml, "dpiAware")["xmlns"], "http://schemas.microsoft.com/SMI/2005/WindowsSettings");
    const std::string value = "true</dpiAware>";
    EXPECT_EQ(xml.compare(xml.find('>', dpi) + 1, value.size(), value), 0) << "dpiAware is true";
}

// The loader's own reading: an activation context made from the manifest resource brings the
// version 6 common controls from the side-by-side store.
TEST(Manifest, ActivationContextLoadsCommonControlsFromTheSideBySideStore)
{
    const std::wstring exe = ExePath();
    ACTCTXW actCtx{};
    actCtx.cbSize = sizeof(actCtx);
    actCtx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    actCtx.lpSource = exe.c_str();
    actCtx.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE context = CreateActCtxW(&actCtx);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "manifest refused, error " << GetLastError();
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context, &cookie));
    HMODULE comctl = LoadLibraryW(L"comctl32.dll");
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(comctl, path, MAX_PATH);
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);
    std::wstring lower(path);
    for (auto& c : lower)
        c = static_cast<wchar_t>(towlower(c));
    EXPECT_NE(lower.find(L"winsxs"), std::wstring::npos) << ::testing::PrintToString(lower);
    EXPECT_NE(lower.find(L"common-controls_6595b64144ccf1df_6.0."), std::wstring::npos)
        << ::testing::PrintToString(lower);
    FreeLibrary(comctl);
}

}  // namespace
