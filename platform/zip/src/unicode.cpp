// UTF-8 decoding follows Unicode's "maximal subpart" practice (one U+FFFD for each broken sequence),
// written here rather than taken from the system so that every platform gives the same text.
#include "unicode.h"

#include <cstdint>

namespace cvq::zip {

void AppendCodePoint(std::wstring& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacementChar;
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (v & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(cp));
}

char32_t NextCodePoint(std::wstring_view text, std::size_t& i)
{
    const auto unit = static_cast<char32_t>(text[i++]);
    if constexpr (sizeof(wchar_t) == 2) {
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i < text.size()) {
                const auto low = static_cast<char32_t>(text[i]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    ++i;
                    return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                }
            }
            return kReplacementChar;
        }
    }
    if ((unit >= 0xD800 && unit <= 0xDFFF) || unit > 0x10FFFF) return kReplacementChar;
    return unit;
}

namespace {

// Bounds of the second byte after each lead byte (Unicode table 3-7); later bytes are 80..BF.
struct LeadInfo {
    int trailCount;
    std::uint8_t secondLow;
    std::uint8_t secondHigh;
};

LeadInfo Classify(std::uint8_t lead)
{
    if (lead >= 0xC2 && lead <= 0xDF) return {1, 0x80, 0xBF};
    if (lead == 0xE0) return {2, 0xA0, 0xBF};
    if ((lead >= 0xE1 && lead <= 0xEC) || lead == 0xEE || lead == 0xEF) return {2, 0x80, 0xBF};
    if (lead == 0xED) return {2, 0x80, 0x9F};
    if (lead == 0xF0) return {3, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {3, 0x80, 0xBF};
    if (lead == 0xF4) return {3, 0x80, 0x8F};
    return {-1, 0, 0};
}

} // namespace

void DecodeUtf8(std::string_view bytes, std::wstring& out)
{
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        }
        const LeadInfo info = Classify(lead);
        if (info.trailCount < 0) {
            AppendCodePoint(out, kReplacementChar);
            ++i;
            continue;
        }
        char32_t cp = lead & (0x3F >> info.trailCount);
        std::size_t j = i + 1;
        bool ok = true;
        for (int k = 0; k < info.trailCount; ++k, ++j) {
            const std::uint8_t low = k == 0 ? info.secondLow : 0x80;
            const std::uint8_t high = k == 0 ? info.secondHigh : 0xBF;
            if (j >= n) { ok = false; break; }
            const auto b = static_cast<std::uint8_t>(bytes[j]);
            if (b < low || b > high) { ok = false; break; }
            cp = (cp << 6) | (b & 0x3Fu);
        }
        AppendCodePoint(out, ok ? cp : kReplacementChar);
        i = j;  // on a break, j is the byte that broke the sequence: it starts afresh
    }
}

std::wstring DecodeUtf8(std::string_view bytes)
{
    std::wstring out;
    out.reserve(bytes.size());
    DecodeUtf8(bytes, out);
    return out;
}

std::string EncodeUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char32_t cp = NextCodePoint(text, i);
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

} // namespace cvq::zip
