// The one-byte encodings: US-ASCII, ISO-8859-1 and the OEM code page 437 of old ZIP tools.
#pragma once

#include <string>
#include <string_view>

namespace cvq::zip {

void DecodeAscii(std::string_view bytes, std::wstring& out);
void DecodeLatin1(std::string_view bytes, std::wstring& out);
void DecodeCp437(std::string_view bytes, std::wstring& out);

std::string EncodeAscii(std::wstring_view text);
std::string EncodeLatin1(std::wstring_view text);
std::string EncodeCp437(std::wstring_view text);

} // namespace cvq::zip
