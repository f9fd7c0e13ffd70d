// Reading ConvertVtq.exe's resources back through the Win32 resource functions: the executable loaded
// as a data file, raw resource bytes, a bounds-checked little-endian cursor and a PNG/DIB reader.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace cvq_res_test {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);  // 0x0411
constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);  // 0x0409
inline const LPCWSTR kRtToolbar = MAKEINTRESOURCEW(241);
inline const LPCWSTR kRtImage = L"IMAGE";

// Windows path of the built program (the build passes its Unix path; Wine maps / to Z:).
std::wstring ExePath();

// The program's module, loaded once for all tests as a data file with its resources mapped.
HMODULE Exe();

// Bytes of one resource in one language; empty if there is none.
std::span<const BYTE> ResourceBytes(LPCWSTR type, LPCWSTR name, WORD lang);

// Reads little-endian fields in order; running past the end throws, so a truncated resource fails.
class Cursor {
public:
    explicit Cursor(std::span<const BYTE> bytes) : m_bytes(bytes) {}
    uint8_t Byte() { return Take(1)[0]; }
    uint16_t Word() { auto b = Take(2); return static_cast<uint16_t>(b[0] | b[1] << 8); }
    uint32_t Dword()
    {
        const uint32_t low = Word();  // two statements: the operands of | are not sequenced
        return low | static_cast<uint32_t>(Word()) << 16;
    }
    int16_t Short() { return static_cast<int16_t>(Word()); }
    std::wstring WString();  // zero-terminated UTF-16
    void AlignTo(size_t n) { Take((n - m_pos % n) % n); }
    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_bytes.size() - m_pos; }
    std::span<const BYTE> Take(size_t n)
    {
        if (n > Remaining())
            throw std::out_of_range("resource ends early");
        auto part = m_bytes.subspan(m_pos, n);
        m_pos += n;
        return part;
    }

private:
    std::span<const BYTE> m_bytes;
    size_t m_pos = 0;
};

// A "string or ordinal" field of dialog and menu templates.
struct SzOrOrd {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::wstring text;
};
SzOrOrd ReadSzOrOrd(Cursor& cur);

struct Rgba {
    uint8_t r, g, b, a;
};

// A picture decoded to 8-bit RGBA rows, with the header facts of its file.
struct Picture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;    // of the stored data (PNG: bit depth x channels)
    bool hasAlpha = false;   // PNG colour type 6 (RGBA)
    std::vector<Rgba> pixels;
    Rgba At(int x, int y) const { return pixels.at(static_cast<size_t>(y) * width + x); }
};

// PNG bytes through WIC (header facts from IHDR).
Picture DecodePng(std::span<const BYTE> png);

// A packed DIB (BITMAPINFOHEADER, palette, bottom-up bits) as stored in bitmap and icon resources.
// For icons pass isIcon: the height counts colour and mask, and masked pixels get alpha 0.
Picture DecodeDib(std::span<const BYTE> dib, bool isIcon);

bool StartsWithPng(std::span<const BYTE> bytes);

}  // namespace cvq_res_test
