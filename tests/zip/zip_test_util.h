// Shared helpers for the ZIP layer's tests: temporary folders, files, wide text from code points.
#pragma once

#include <System/IO/Compression.h>

#include "unicode.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace testzip {

namespace fs = std::filesystem;

// Wide text from code points: UTF-16 where wchar_t is 16 bits, one unit per code point elsewhere.
inline std::wstring W(std::u32string_view cps)
{
    std::wstring out;
    for (char32_t cp : cps) {
        if (sizeof(wchar_t) == 2 && cp >= 0x10000) {
            out.push_back(static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(cp));
        }
    }
    return out;
}

inline fs::path P(const std::wstring& w)
{
#ifdef _WIN32
    return fs::path(w);
#else
    return fs::path(cvq::zip::EncodeUtf8(w));
#endif
}

inline std::wstring Wide(const fs::path& p)
{
#ifdef _WIN32
    return p.wstring();
#else
    return cvq::zip::DecodeUtf8(p.string());
#endif
}

inline void WriteBytes(const fs::path& p, std::string_view bytes)
{
    fs::create_directories(p.parent_path());
    std::ofstream f(p, std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = fs::temp_directory_path() / ("cvqzip-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        fs::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& Path() const { return m_path; }
    fs::path operator/(const std::wstring& child) const { return m_path / P(child); }
    fs::path operator/(const char* child) const { return m_path / child; }
    fs::path operator/(const std::string& child) const { return m_path / child; }
    std::wstring WideChild(const std::wstring& child) const { return Wide(m_path / P(child)); }

private:
    fs::path m_path;
};

// Every regular file below root with its content, keyed by the relative path with '/' separators;
// folders map to "<dir>".
inline std::map<std::wstring, std::string> Snapshot(const fs::path& root)
{
    std::map<std::wstring, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        std::wstring rel = Wide(fs::relative(e.path(), root));
        for (auto& c : rel) {
            if (c == L'\\') c = L'/';
        }
        out[rel] = e.is_directory() ? std::string("<dir>") : ReadBytes(e.path());
    }
    return out;
}

inline std::vector<std::wstring> ListNames(const fs::path& archive)
{
    const auto zip = System::IO::Compression::ZipFile::OpenRead(Wide(archive).c_str());
    std::vector<std::wstring> names;
    for (const auto& e : zip.Entries()) names.push_back(e.FullName());
    return names;
}

} // namespace testzip
