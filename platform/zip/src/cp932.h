// Shift_JIS as Windows code page 932, with the same results on every platform.
#pragma once

#include <string>
#include <string_view>

namespace cvq::zip {

void DecodeCp932(std::string_view bytes, std::wstring& out);
std::string EncodeCp932(std::wstring_view text);

} // namespace cvq::zip
