// UTF-8 and wide-string helpers shared by the encodings and the file-system code.
#pragma once

#include <string>
#include <string_view>

namespace cvq::zip {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Appends one code point as UTF-16 (Windows) or as one wchar_t (elsewhere).
void AppendCodePoint(std::wstring& out, char32_t cp);

// Reads the code point at text[i] and advances i; an unpaired surrogate reads as U+FFFD.
char32_t NextCodePoint(std::wstring_view text, std::size_t& i);

// UTF-8 to wide text; each maximal ill-formed subpart becomes one U+FFFD.
std::wstring DecodeUtf8(std::string_view bytes);
void DecodeUtf8(std::string_view bytes, std::wstring& out);

// Wide text to UTF-8; unpaired surrogates and values beyond U+10FFFF become U+FFFD.
std::string EncodeUtf8(std::wstring_view text);

} // namespace cvq::zip
