// The system's code page 932 converter (MultiByteToWideChar on Windows, iconv elsewhere), used only
// for text that cp932.cpp has already split into well-formed characters.
#pragma once

#include <string>
#include <string_view>

namespace cvq::zip::system_cp932 {

// Appends the decoded text; false (and out unchanged) when the system refuses any character.
bool Decode(std::string_view bytes, std::wstring& out);

// Appends the encoded text; false (and out unchanged) when a character has no code in page 932.
bool Encode(std::wstring_view text, std::string& out);

} // namespace cvq::zip::system_cp932
