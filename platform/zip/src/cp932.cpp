// The byte structure of code page 932 is handled here, the character table by the system. Splitting
// into characters ourselves makes invalid input decode the same everywhere: the converters disagree
// on bytes like 0xA0 and on how far a bad sequence reaches. A second byte may be 0x5C ('\'), which
// is why names are decoded whole before anyone looks for separators.
#include "cp932.h"

#include "codepage_system.h"
#include "unicode.h"

#include <cstdint>

namespace cvq::zip {
namespace {

bool IsLead(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrail(std::uint8_t b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Single bytes outside ASCII and half-width katakana, mapped as Windows maps them.
wchar_t SingleOddByte(std::uint8_t b)
{
    switch (b) {
    case 0x80: return 0x0080;
    case 0xA0: return static_cast<wchar_t>(0xF8F0);
    case 0xFD: return static_cast<wchar_t>(0xF8F1);
    case 0xFE: return static_cast<wchar_t>(0xF8F2);
    default: return static_cast<wchar_t>(0xF8F3);  // 0xFF
    }
}

void DecodePair(std::string_view pair, std::wstring& out)
{
    if (!system_cp932::Decode(pair, out)) AppendCodePoint(out, kReplacementChar);
}

} // namespace

void DecodeCp932(std::string_view bytes, std::wstring& out)
{
    // Fast path: well-formed text goes to the system in one call.
    bool plain = true;
    for (std::size_t i = 0; i < bytes.size() && plain; ++i) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        if (IsLead(b)) {
            plain = i + 1 < bytes.size() && IsTrail(static_cast<std::uint8_t>(bytes[i + 1]));
            ++i;
        } else if (b >= 0x80 && !(b >= 0xA1 && b <= 0xDF)) {
            plain = false;
        }
    }
    if (plain && system_cp932::Decode(bytes, out)) return;

    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        if (b < 0x80) {
            out.push_back(static_cast<wchar_t>(b));
            ++i;
        } else if (b >= 0xA1 && b <= 0xDF) {
            out.push_back(static_cast<wchar_t>(0xFF61 + (b - 0xA1)));
            ++i;
        } else if (IsLead(b)) {
            if (i + 1 < bytes.size() && IsTrail(static_cast<std::uint8_t>(bytes[i + 1]))) {
                DecodePair(bytes.substr(i, 2), out);
                i += 2;
            } else {
                AppendCodePoint(out, kReplacementChar);
                ++i;
            }
        } else {
            out.push_back(SingleOddByte(b));
            ++i;
        }
    }
}

std::string EncodeCp932(std::wstring_view text)
{
    std::string out;
    if (system_cp932::Encode(text, out)) return out;
    out.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        NextCodePoint(text, i);
        if (!system_cp932::Encode(text.substr(start, i - start), out)) out.push_back('?');
    }
    return out;
}

} // namespace cvq::zip
